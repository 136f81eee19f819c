// Generated PIC BASIC sources for the benchmarks and tests: lines drawn at
// random from one set of statements (keywords, labels, comments, strings,
// numbers, inline assembler, a comment wider than a printed page).
#pragma once

#include <cstddef>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace quarno::test {

inline constexpr const char* kSampleStatements[] = {
    "    High PORTB.0",
    "    DelayMS 500 ' wait half a second",
    "    GoSub Read_Sensor",
    "    If Temperature > Limit Then GoTo Alarm",
    "    Print At 1,1, \"Temp: \", Dec Temp",
    "Main:",
    "' read the ADC channel and scale it to degrees",
    "    Low LED : Toggle PORTA.1",
    "    For Index = 0 To 15 : Buffer[Index] = 0 : Next",
    "    TRISB = %00001111 : PORTB = $F0",
    "    Result = Value * 1.5e-3 + Offset",
    "    HSerOut [\"Value=\", Dec Value, 13, 10]",
    "REM the main loop",
    "    movlw 10 ; inline assembler",
    "    Symbol LED = PORTC.4          ' the LED on the demo board",
    "    Select Reading : Case 0 To 99 : HSerOut [\"low\", 13] : Case Else : Toggle PORTA.1",
    "    While PORTA.4 = 1 : Wend",
    "' a long comment line that is wider than the printed page, so that print wrap has to "
    "break it at a blank somewhere near the right margin of the sheet",
    "",
};

struct TSampleShape {
    std::string_view lineBreak = "\r\n";
    // One line in this many is a run of "x" longer than a record holds
    // (2500 to 5499 characters); 0: none.
    unsigned longLineEvery = 0;
};

// Lines until the text holds at least bytes characters.
inline std::string SampleSource(size_t bytes, unsigned seed, TSampleShape shape = {}) {
    std::mt19937 random(seed);
    std::string text;
    text.reserve(bytes + 8192);
    while (text.size() < bytes) {
        if (shape.longLineEvery > 0 && random() % shape.longLineEvery == 0)
            text.append(2500 + random() % 3000, 'x');
        else
            text += kSampleStatements[random() % std::size(kSampleStatements)];
        text += shape.lineBreak;
    }
    return text;
}

// Exactly lines lines, each ended by lineBreak.
inline std::string SampleSourceLines(int lines, unsigned seed,
                                     std::string_view lineBreak = "\r\n") {
    std::mt19937 random(seed);
    std::string text;
    for (int line = 0; line < lines; ++line) {
        text += kSampleStatements[random() % std::size(kSampleStatements)];
        text += lineBreak;
    }
    return text;
}

} // namespace quarno::test
