// The parameters the S-parameter tool shows and the Tabular display: one row per grid
// frequency, one column per data set and parameter, tab-separated. The window's table and
// the command-line tool both format through here.
#pragma once

#include "interpolation.h"
#include "twoport.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

enum class Param {
    S11, S21, S12, S22,                   // magnitude and angle
    S11Db, S21Db, S12Db, S22Db,           // magnitude in dB
    S11Ang, S21Ang, S12Ang, S22Ang,       // angle
    MAG, MSG, Gt, Gtumax, U, Isol, MMGainIn, MMGainOut,
    RLIn, RLOut, VSWRIn, VSWROut, GammaMs, GammaMl, S11Conj, S22Conj,
    K, B1, Mu1, Mu2,
    NFopt, NFZo, rnNorm, RnOhms, GammaOpt,
    Phase21, Phase12, GroupDelay21, GroupDelay12,
    DiffZ,
};

struct ParamInfo {
    Param id;
    std::string_view key;      // the parameter tree's key ("2key GMAG")
    std::string_view name;     // the display name ("MAG")
    std::string_view cliName;  // the command-line name ("MAG")
    std::string_view suffix;   // the column heading's unit suffix ("(dB)")
    int ports;                 // 1: a one-port file has it; 2: it needs a two-port file
    bool noise;                // needs noise data
};

std::span<const ParamInfo> AllParams();
const ParamInfo& InfoOf(Param p);
// The parameter with this command-line name (letter case ignored).
std::optional<Param> ParamFromCliName(std::string_view name);

// One cell's value: a real number, or a complex one shown as magnitude and angle.
struct Cell {
    bool complex = false;
    double value = kUndefined;
    Complex z = kUndefinedComplex;
    Note note = Note::None;
};

// The parameter at grid point k of a data set on the grid (group delay looks at k + 1 too).
Cell Evaluate(Param p, const GridSet& set, std::size_t k);

// "D1 MAG(dB)": the data-set number, the display name and the unit suffix.
std::string TabularHeading(int setNumber, Param p);
// The text of one cell; an undefined value is an empty cell.
std::string TabularCellText(Param p, const Cell& c);

struct TabularColumnSource {
    int setNumber;             // 1..3
    const GridSet* set;
};

struct TabularText {
    std::string text;          // header line and one line per grid frequency, each ending in "\n"
    std::vector<Note> notes;   // each note met, once, in the order met
};

// The whole table over the grid of the first set (all sets share one grid).
TabularText MakeTabular(std::span<const TabularColumnSource> sets, std::span<const Param> params);

} // namespace korvel
