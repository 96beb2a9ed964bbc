#pragma once

#include <clocale>
#include <string>

// Switches a category of the C library's locale to German, whose decimal separator is a
// comma, for the life of the object, and puts the previous locale back afterwards.
// scripts/setup.sh generates the locale; where it is still missing, active() is false and
// the test skips with kMissing as its reason.
class ScopedCommaLocale {
public:
    static constexpr char kName[] = "de_DE.UTF-8";
    static constexpr char kMissing[] =
        "the de_DE.UTF-8 locale is not installed (scripts/setup.sh generates it)";

    explicit ScopedCommaLocale(int category) : m_category(category) {
        if (const char* previous = std::setlocale(category, nullptr))
            m_previous = previous;
        m_active = std::setlocale(category, kName) != nullptr &&
                   std::localeconv()->decimal_point == std::string(",");
    }
    ~ScopedCommaLocale() { std::setlocale(m_category, m_previous.c_str()); }
    ScopedCommaLocale(const ScopedCommaLocale&) = delete;
    ScopedCommaLocale& operator=(const ScopedCommaLocale&) = delete;

    bool active() const { return m_active; }

private:
    int m_category;
    std::string m_previous = "C";
    bool m_active = false;
};
