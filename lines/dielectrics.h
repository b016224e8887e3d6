// The dielectric materials offered by the transmission-line windows: a general table for the
// coax and wire lines and a table of circuit-board substrates (with their suppliers) for the
// planar lines. Both are constants of the program; row 0 of each is the entry that lets the
// user type a dielectric constant of their own.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvel {

struct DielectricRow {
    std::string_view name;        // with its trade mark sign, in UTF-8
    std::optional<float> er;      // empty on the custom row
    std::string_view supplier;    // substrate table only; blank for generic materials
};

enum class DielectricTable { General, Substrate };

// The name of row 0, padded as it is stored.
inline constexpr std::string_view kCustomErRowName = "-> Enter custom Er value   ";

// Rows in list order, row 0 (the custom entry) first: 37 general rows, 133 substrate rows.
std::span<const DielectricRow> DielectricRows(DielectricTable table);

// Er in the shortest decimal form that reads back as the same single-precision value
// ("9.8", "1.001", "2.33", "1").
std::string ErText(float er);

// The text of a row as the selector lists it: the name alone for row 0, otherwise the name,
// a tab and Er, and for the substrate table a further tab and the supplier.
std::string DielectricRowText(DielectricTable table, std::size_t row);

struct DielectricColumn {
    std::string_view header;
    int widthChars;
};
// The list's column headers and widths in characters.
std::span<const DielectricColumn> DielectricColumns(DielectricTable table);

} // namespace korvel
