// The registry forms of a language's settings, which keep the user's changes
// between runs: the highlighting settings as text and the key assignments as
// bytes, both marked "Vemlor6:" (the digit is the layout version).
//
// Highlighting text, layout 6 as written: "Vemlor6:" then 24 fields, each
// TAG#length#value, then "#END#". Tags in order: OPT options, GWD gutter
// width, GCL gutter colour, WRC wrap column, IDS indent step, WRO wrap-override
// characters, FON font name, FOS font size, STC / STB selection colours, TBC
// tab columns as text, TBD default tab width, EFF styles, GDF MDF SDF BDF the
// gutter, margin, selected-text and selection-background flags ("1"/"0"), FOC
// font character set, RMG right margin, LNN LNS LNC LNT gutter font name,
// size, colour, character set, LNE its style letters (I B U S). Numbers are
// decimal, colours as signed 32-bit values.
//
// EFF: the count of defined styles (255 when all 256 are), "," when above 0,
// then per defined style "index,text,background," and the letters X
// (background flag), Y (text flag), B, I, U, then ";".
//
// Layouts 1 to 4 (read only) are comma-separated after "VemlorN:": options,
// gutter width, wrap column, indent step, a counted text of wrap-override
// characters ("3,>|:,": a length, a comma, that many characters, a comma);
// layout 1 then sets the font to Courier New 10 and the selection colours to
// the system highlight colours; layouts 2 and 3 read a counted font name and
// the font size, layout 3 also the two selection colours, layout 4 those plus
// a counted tab-column text and the default tab width; every layout ends with
// the style list of EFF. Empty fields take the defaults (67099632, 34, 0, 1,
// font size 10, tab width 4).
#pragma once

#include <string>
#include <string_view>

namespace quarno {

class TLP_Settings;

std::string HighlightingRegistryText(const TLP_Settings& settings);
// Reads a text of layout 1 to 9 over the settings. ELexipad "Invalid data in
// style string" for any fault, the settings then unchanged, except that a
// fault inside the style list resets them to their defaults. All styles of
// the list are read, also when all 256 are defined.
void ReadHighlightingRegistryText(TLP_Settings& settings, std::string_view text);

std::string KeyAssignmentsRegistryValue(const TLP_Settings& settings);
// Loads the key assignments when the bytes start with the short string
// "Vemlor6:"; false otherwise. Stream faults propagate, the keys unchanged.
bool ReadKeyAssignmentsRegistryValue(TLP_Settings& settings, std::string_view bytes);

// The automatic replacements and code templates the user edited: the short
// string "Vemlor6:", then their stream forms (replacement block, template
// block). Read only when the marker is there (false otherwise); a fault in
// the blocks raises and leaves both objects unchanged.
std::string TemplatesRegistryValue(const TLP_Settings& settings);
bool ReadTemplatesRegistryValue(TLP_Settings& settings, std::string_view bytes);

} // namespace quarno
