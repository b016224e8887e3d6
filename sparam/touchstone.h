// Touchstone one-port and two-port S-parameter files (.s1p, .s2p): the data-set record the
// S-parameter tool analyses, its three slots, and the loader that fills a slot.
//
// The loader keeps the number pairs exactly as the file gives them (RI, MA or DB); turning a
// pair into a complex number is the analysis' job, because interpolation needs the pairs in
// the file's own representation (magnitude and angle interpolate differently from real and
// imaginary parts). Storage is one array per column so that a million-point file costs
// about 36 bytes per point and the interpolation reads memory in straight lines.
#pragma once

#include "core/column.h"
#include "core/notifier.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

// A failed load is a message the window shows (title, text, icon); the library shows nothing.
struct LoadResult {
    bool ok = true;
    std::string title;
    std::string text;
    MsgIcon icon = MsgIcon::None;
};

inline constexpr std::string_view kSnpErrorTitle = "SnP File Error";

// Index of Sij in DataSet::first/second: S11, S12, S21, S22 (row-major over i, j).
constexpr int SIndex(int i, int j) { return (i - 1) * 2 + (j - 1); }

struct DataSet {
    std::string numberFormat;        // "RI", "MA" or "DB"
    bool loaded = false;             // first load flag: set by a successful load
    bool loadFailed = false;         // second load flag: set by a failed load
    std::string fileName;            // without folder
    std::string folder;              // full path less the name and its separator
    std::string frequencyUnit;       // "HZ", "KHZ", "MHZ" or "GHZ"
    bool hasNoise = false;
    std::string parameterType;       // "S" after a successful load
    int ports = 0;                   // 1 or 2, from the extension
    float referenceImpedance = 0.0f; // ohms

    // Network data, 0-based k: frequency in MHz and the pair (first, second) of each Sij.
    Column<float> freq;
    std::array<Column<float>, 4> first;
    std::array<Column<float>, 4> second;

    // Noise data, 0-based: frequency in MHz, NFmin (dB), |Γopt|, ∠Γopt (degrees), rn.
    Column<float> noiseFreq;
    Column<float> nfMinDb;
    Column<float> gammaOptMag;
    Column<float> gammaOptAng;
    Column<float> rn;

    std::size_t Points() const { return freq.size(); }
    std::size_t NoisePoints() const { return noiseFreq.size(); }
    bool IsEmpty() const { return !loaded; }
};

// The tool's three data sets ("Data Set #1" .. "Data Set #3"), numbered from 1.
struct DataSetSlots {
    std::array<DataSet, 3> sets;
    DataSet& operator[](int slot) { return sets.at(static_cast<std::size_t>(slot - 1)); }
    const DataSet& operator[](int slot) const { return sets.at(static_cast<std::size_t>(slot - 1)); }
};

// The largest file read: far above any real data set (a million two-port points take about
// 90 MB) and a bound on what a file that is not what its name says can cost. A larger file,
// or anything that is not a regular file (a FIFO, a folder, a device, a link to one), is
// refused with the "cannot read" message before any of it is read.
inline constexpr std::uint64_t kMaxSnpFileBytes = std::uint64_t{4} << 30;

// Loads the file at fullPath into the slot (1..3). fileName is the name without folder; its
// extension decides the number of ports. On failure, running out of memory included, the
// slot is emptied and the result carries the message box to show; nothing is thrown.
LoadResult GetSnpFile(std::string_view fileName, int slot, std::string_view fullPath, DataSetSlots& table);

// The same load from a text already in memory (the file's whole contents).
LoadResult LoadSnpText(std::string_view fileName, std::string_view fullPath, std::string_view text, DataSet& set);

// The whole file at fullPath, under the same refusals as a load; false when it cannot be read.
bool ReadSnpFile(std::string_view fullPath, std::string& bytes);

// A file's text for a person to read, as UTF-8: the bytes themselves when they are valid
// UTF-8, else read as Windows-1252, the encoding files of this kind were written in for
// decades (a "25 \xB0C" comment is "25 °C").
std::string TextForDisplay(std::string_view bytes);

// The name without folder, and the folder, of a full path.
std::string FileNameOfPath(std::string_view fullPath);

} // namespace korvel
