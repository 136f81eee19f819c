#include "core/services/TStoreText.h"
#include "support/SearchTestText.h"

#include <gtest/gtest.h>
#include <random>

using namespace quarno;
using quarno::test::PadWithText;

namespace {

// Thousands of short records (several blocks of the store) and a few long
// lines split into continuation records.
std::string ManyRecords(std::mt19937& random) {
    std::string text;
    for (int line = 0; line < 6000; ++line) {
        size_t length = random() % 100 == 0 ? 3000 + random() % 3000 : random() % 12;
        for (size_t i = 0; i < length; ++i)
            text += static_cast<char>('a' + random() % 26);
        text += '\r';
    }
    return text;
}

// Reads, copies, scans and windows in random order must all agree with the
// text, whatever record the previous call left the object on (the walks
// along runs of records and the lookups must not get out of step).
TEST(TStoreText, AgreesWithTheTextUnderMixedAccess) {
    std::mt19937 random(5);
    const std::string text = ManyRecords(random);
    auto pad = PadWithText(text);
    ASSERT_GT(pad->Store().RecordCount(), 3000);
    TStoreText storeText(pad->Store());
    const int size = static_cast<int>(text.size());
    TCharSet vowels{};
    for (char c : std::string("aeiou"))
        vowels[static_cast<unsigned char>(c)] = true;
    int a = 0;
    for (int probe = 0; probe < 20000; ++probe) {
        // Mostly a little further on, as a search moves; sometimes anywhere.
        if (random() % 3 == 0)
            a = static_cast<int>(random() % (text.size() + 1));
        else
            a = std::min(size, a + static_cast<int>(random() % 200));
        int b = std::min(size, a + static_cast<int>(random() % (random() % 4 == 0 ? 40000 : 60)));
        switch (random() % 5) {
        case 0:
            ASSERT_EQ(storeText.At(a), a < size ? static_cast<unsigned char>(text[a]) : -1) << a;
            break;
        case 1: {
            std::string copy;
            storeText.AppendRange(a, b, copy);
            ASSERT_EQ(copy, text.substr(a, b - a)) << a << " " << b;
            break;
        }
        case 2: {
            size_t found = text.find_first_of("aeiou", a);
            int expected = found == std::string::npos || static_cast<int>(found) >= b
                               ? -1
                               : static_cast<int>(found);
            ASSERT_EQ(storeText.FindFirstOf(a, b, vowels), expected) << a << " " << b;
            break;
        }
        case 3: {
            std::string_view window = storeText.Window(a, static_cast<size_t>(b - a));
            ASSERT_GE(window.size(), static_cast<size_t>(b - a));
            ASSERT_EQ(window, std::string_view(text).substr(a, window.size())) << a;
            break;
        }
        default: {
            int start = -1;
            std::string_view window = storeText.WindowBefore(b, static_cast<size_t>(b - a), start);
            ASSERT_LE(start, a);
            ASSERT_EQ(window, std::string_view(text).substr(start, b - start)) << b;
            break;
        }
        }
    }
}

} // namespace
