#include "dielectrics.h"

#include <charconv>

namespace korvel {
namespace {

// Er values are held as single-precision numbers, as the materials have always been listed;
// the calculators read them back through the text of the row, never as a float directly.
constexpr DielectricRow kGeneral[] = {
    {kCustomErRowName, std::nullopt, ""},
    {"Air", 1.001f, ""},
    {"Alumina (99.5% Al2O3)", 9.8f, ""},
    {"Bakelite", 4.75f, ""},
    {"Beryllia (99.5 % BeO)", 6.6f, ""},
    {"Epoxy", 4.7f, ""},
    {"Free Space", 1.0f, ""},
    {"Fused Silica (quartz)", 3.82f, ""},
    {"Gallium Arsenide", 12.6f, ""},
    {"Germanium", 16.0f, ""},
    {"Glass, borosilicate", 4.82f, ""},
    {"Glass, crown", 5.0f, ""},
    {"Glass, iron-sealing", 7.99f, ""},
    {"Glass, pyrex", 5.0f, ""},
    {"Irradiated polyolefin", 2.32f, ""},
    {"Kapton™", 3.5f, ""},
    {"Mica", 5.4f, ""},
    {"Mylar™", 3.0f, ""},
    {"Nylon™", 2.84f, ""},
    {"Paper", 2.7f, ""},
    {"Plexiglas™", 3.45f, ""},
    {"Polyethylene", 2.25f, ""},
    {"Polyimide", 3.4f, ""},
    {"Polystryene", 2.55f, ""},
    {"Porcelain (dry process)", 6.0f, ""},
    {"PPO", 2.55f, ""},
    {"PTFE (Teflon™)", 2.1f, ""},
    {"Quartz (fused silica)", 3.82f, ""},
    {"Rexolite™ 1422", 2.52f, ""},
    {"Rubber, silicone", 3.13f, ""},
    {"Sapphire (crystalline)", 11.5f, ""},
    {"Silicon (single crystal)", 11.8f, ""},
    {"Styrofoam", 1.03f, ""},
    {"Teflon™ (PTFE)", 2.1f, ""},
    {"Water, distilled", 76.7f, ""},
    {"Water, sea", 20.0f, ""},
    {"Wood", 2.0f, ""},
};

constexpr DielectricRow kSubstrate[] = {
    {kCustomErRowName, std::nullopt, ""},
    {"25N®", 3.25f, "Arlon"},
    {"A6", 5.9f, "Ferro"},
    {"AD 300®", 3.0f, "Arlon"},
    {"Air", 1.001f, ""},
    {"Alumina (96% Al2O3)", 9.5f, ""},
    {"Alumina (99.5% Al2O3)", 9.8f, ""},
    {"Aluminum Nitride (AlN)", 8.7f, ""},
    {"AR 1000®", 10.0f, "Arlon"},
    {"AR 320®", 3.2f, "Arlon"},
    {"AR 350®", 3.5f, "Arlon"},
    {"AR 450®", 4.5f, "Arlon"},
    {"AR 600®", 6.0f, "Arlon"},
    {"Bakelite", 4.75f, ""},
    {"Barium Titanate (BaTiO3)", 600.0f, ""},
    {"Beryllia (99.5 % BeO)", 6.6f, ""},
    {"Carbon (diamond)", 5.5f, ""},
    {"CEM-1", 4.6f, ""},
    {"CEM-3", 4.6f, ""},
    {"Cer-10", 10.0f, "Taconic"},
    {"CLTE®", 2.9f, "Arlon"},
    {"CuClad® 217LX", 2.2f, "Arlon"},
    {"CuClad® 233LX", 2.33f, "Arlon"},
    {"CuClad® 250GT", 2.5f, "Arlon"},
    {"CuClad® 250GX", 2.5f, "Arlon"},
    {"CuClad® 6250", 2.3f, "Arlon"},
    {"CuClad® 6700", 2.3f, "Arlon"},
    {"Diamond", 5.5f, ""},
    {"DiClad® 522", 2.4f, "Arlon"},
    {"DiClad® 527", 2.4f, "Arlon"},
    {"DiClad® 870", 2.33f, "Arlon"},
    {"DiClad® 880", 2.17f, "Arlon"},
    {"Epoxy", 4.7f, ""},
    {"Epsilam 10™", 10.2f, "Arlon"},
    {"FR-1", 5.2f, ""},
    {"FR-2", 4.5f, ""},
    {"FR-3", 4.3f, ""},
    {"FR-4", 4.6f, ""},
    {"FR-5", 4.3f, ""},
    {"FR-6", 4.1f, ""},
    {"Free Space", 1.0f, ""},
    {"Fused Silica (quartz)", 3.82f, ""},
    {"G-10", 4.6f, ""},
    {"G-11", 4.8f, ""},
    {"Gallium Arsenide", 13.0f, ""},
    {"Germanium", 16.0f, ""},
    {"Getek® ML200C", 3.8f, ""},
    {"Getek® ML200D", 3.9f, "GE"},
    {"Getek® ML200M", 3.8f, "GE"},
    {"Getek® RG200D", 4.2f, "GE"},
    {"GI", 4.8f, "GE"},
    {"Glass, borosilicate", 4.82f, ""},
    {"Glass, crown", 5.0f, ""},
    {"Glass, iron-sealing", 7.99f, ""},
    {"Glass, pyrex", 5.0f, ""},
    {"GML 1000, 0.030-inch", 3.2f, ""},
    {"GT", 2.5f, "GIL"},
    {"GX", 2.5f, ""},
    {"Irradiated polyolefin", 2.32f, ""},
    {"IsoClad® 917", 2.17f, ""},
    {"IsoClad® 933", 2.33f, "Arlon"},
    {"Kapton™", 3.5f, "Arlon"},
    {"MC3D", 3.86f, ""},
    {"MC5", 3.4f, "GIL"},
    {"Mica", 5.4f, "GIL"},
    {"Mylar™", 3.0f, ""},
    {"N9208", 2.08f, "Neltec"},
    {"N9217", 2.17f, "Neltec"},
    {"N9220", 2.2f, "Neltec"},
    {"N9233", 2.33f, "Neltec"},
    {"N9240", 2.4f, "Neltec"},
    {"N9245", 2.45f, "Neltec"},
    {"N9250", 2.5f, "Neltec"},
    {"N9255", 2.55f, "Neltec"},
    {"N9260", 2.6f, "Neltec"},
    {"N9294", 2.94f, "Neltec"},
    {"N9300", 3.0f, "Neltec"},
    {"N9300", 3.0f, "Neltec"},
    {"N9320", 3.2f, "Neltec"},
    {"N9320", 3.2f, "Neltec"},
    {"N9338", 3.38f, "Neltec"},
    {"N9348", 3.48f, "Neltec"},
    {"N9350", 3.5f, "Neltec"},
    {"Nylon™", 2.84f, ""},
    {"Oak-300", 4.5f, ""},
    {"Oak-700", 2.2f, "Norplex"},
    {"Paper", 2.7f, "Norplex"},
    {"Plexiglas?™", 3.45f, ""},
    {"Polyethylene", 2.25f, ""},
    {"Polyimide", 3.4f, ""},
    {"Polystryene", 2.55f, ""},
    {"Porcelain (dry process)", 6.0f, ""},
    {"PPO", 2.55f, ""},
    {"PTFE (Teflon™)", 2.1f, ""},
    {"Quartz (fused silica)", 3.82f, ""},
    {"Quartz (fused silica)", 3.78f, ""},
    {"Rexolite™ 1422", 2.52f, ""},
    {"RF-35", 3.5f, "Norplex"},
    {"RO2800®", 2.94f, "Taconic"},
    {"RO3003®", 3.0f, "Rogers"},
    {"RO3006®", 6.15f, "Rogers"},
    {"RO3010®", 10.2f, "Rogers"},
    {"RO4003®", 3.38f, "Rogers"},
    {"RO4350®", 3.48f, "Rogers"},
    {"RT/duroid® 5500", 2.5f, "Rogers"},
    {"RT/duroid® 5870", 2.33f, "Rogers"},
    {"RT/duroid® 5880", 2.2f, "Rogers"},
    {"RT/duroid® 6002", 2.94f, "Rogers"},
    {"RT/duroid® 6006", 6.15f, "Rogers"},
    {"RT/duroid® 6010", 10.2f, "Rogers"},
    {"RT/duroid® 6010LM", 10.2f, "Rogers"},
    {"Rubber, silicone", 3.13f, "Rogers"},
    {"Sapphire (crystalline)", 11.5f, ""},
    {"Silicon (single crystal)", 11.8f, ""},
    {"Styrofoam", 1.03f, ""},
    {"Teflon™ (PTFE)", 2.1f, ""},
    {"Teflon™ -Glass", 2.55f, ""},
    {"Titanium Oxide (TiO2)", 100.0f, ""},
    {"TLC", 3.2f, ""},
    {"TLE", 2.95f, "Taconic"},
    {"TLT", 2.55f, "Taconic"},
    {"TLX", 2.55f, "Taconic"},
    {"TLY", 2.25f, "Taconic"},
    {"TMM® 10", 9.2f, "Taconic"},
    {"TMM® 10I", 9.8f, "Rogers"},
    {"TMM® 3", 3.27f, "Rogers"},
    {"TMM® 4", 4.5f, "Rogers"},
    {"TMM® 6", 6.0f, "Rogers"},
    {"Ultralam®", 2.4f, "Rogers"},
    {"Water, distilled", 76.7f, "Rogers"},
    {"Water, sea", 20.0f, ""},
    {"Wood", 2.0f, ""},
    {"XXXPC", 4.1f, ""},
};

constexpr DielectricColumn kGeneralColumns[] = {{"Dielectric Material", 36}, {"Er", 12}};
constexpr DielectricColumn kSubstrateColumns[] = {{"Dielectric Material", 28}, {"Er", 9}, {"Supplier", 11}};

} // namespace

std::span<const DielectricRow> DielectricRows(DielectricTable table)
{
    if (table == DielectricTable::General)
        return kGeneral;
    return kSubstrate;
}

std::span<const DielectricColumn> DielectricColumns(DielectricTable table)
{
    if (table == DielectricTable::General)
        return kGeneralColumns;
    return kSubstrateColumns;
}

std::string ErText(float er)
{
    // The shortest fixed-point text that reads back as the same float: "9.8", not 9.80000019.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, er, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

std::string DielectricRowText(DielectricTable table, std::size_t row)
{
    const auto rows = DielectricRows(table);
    if (row >= rows.size())
        return {};
    const DielectricRow& r = rows[row];
    std::string text(r.name);
    if (!r.er)
        return text;
    text += '\t';
    text += ErText(*r.er);
    if (table == DielectricTable::Substrate) {
        text += '\t';
        text += r.supplier;
    }
    return text;
}

} // namespace korvel
