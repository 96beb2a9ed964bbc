#include "LayerArrows.h"

#include <filesystem>
#include <iostream>

// Usage: check_layer_arrows SOURCE_ROOT
int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: check_layer_arrows SOURCE_ROOT\n";
        return 2;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(argv[1], error)) {
        std::cerr << argv[1] << ": not a folder\n";
        return 2;
    }
    return ReportBackArrows(argv[1], std::cout);
}
