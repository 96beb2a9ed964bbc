#include "ui/CKTRApp.h"

// kestrola [folder or recording]
int main(int argc, char* argv[]) {
    CKTRApp application;
    return application.Run(argc, argv);
}
