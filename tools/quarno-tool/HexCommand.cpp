// quarno-tool hex: the program-memory or EEPROM grid of an Intel HEX file.
#include "ToolCommand.h"

#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"
#include "core/viewers/HexGridText.h"
#include "core/viewers/THexLoader.h"

namespace quarno::tool {
namespace {

int RunHex(const std::vector<std::string>& words, std::ostream& out) {
    Args args(words, {}, {"--eeprom"});
    args.ExpectCount(1, 1);
    bool eeprom = args.Has("--eeprom");
    const std::string& file = args.At(0);
    // A missing file shows the blank grid, as the view does; a folder, pipe or
    // device is refused by the read.
    if (PathKind(file) == TPathKind::Missing) {
        out << GridText(eeprom ? FillEepromGridBlank() : FillHexGridBlank());
        return 0;
    }
    THexImage image;
    THexLoader(image).LoadHexLines(SplitLines(ReadWholeFile(file)));
    out << GridText(eeprom ? FillEepromGrid(image) : FillHexGrid(image));
    return 0;
}

ToolCommandRegistrar registrar({"hex", "hex [--eeprom] FILE", RunHex});

} // namespace
} // namespace quarno::tool
