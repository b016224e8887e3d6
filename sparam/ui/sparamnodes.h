// What the parameter tree offers for each display type, and what each node stands for.
//
// The tree's keys carry their own meaning: a leading digit (1: a one-port file has the
// quantity, 2: it needs a two-port file), "key ", a category letter and a name. A rectangular
// plot has one y axis, so it takes parameters of one category letter only; the letter also
// picks the axis title.
#pragma once

#include "sparam/tabular.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace korvel::ui {

enum class DisplayType { None = -1, Text = 0, Tabular, Rectangular, Smith, Polar, SmithCircles };
inline constexpr int kDisplayTypes = 6;
inline constexpr std::string_view kDisplayCaptions[kDisplayTypes] = {"Text", "Tabular", "Rectangular",
                                                                     "Smith", "Polar", "SmithCircles"};

// What a rectangular or chart node draws beyond its plain parameter.
enum class NodeKind { Plain, GainFlatness, PhaseLinearity, GainCirclesIn, GainCirclesOut,
                      StabilityCircleIn, StabilityCircleOut, NoiseCircles };

struct ParamNode {
    std::string_view key;       // "2key GMAG"
    std::string_view text;      // shown in the tree
    Param param;                // the quantity evaluated (the plotted one for the extras)
    NodeKind kind = NodeKind::Plain;
};

struct CategoryNode {
    std::string_view key;       // "key Gain"
    std::string_view text;
    std::span<const ParamNode> nodes;
};

inline constexpr std::string_view kDataFilesKey = "key SnP Data Files";
inline constexpr std::string_view kDummyKey = "key Dummy Node";

// The categories and parameter nodes shown for a display type (none for Text, whose tree
// lists the loaded data sets).
std::span<const CategoryNode> NodesOf(DisplayType type);
// The node with this key in the display type's list.
const ParamNode* FindNode(DisplayType type, std::string_view key);

// The data-set node of a slot (1..3): "1key TData Set #1".
std::string DataSetNodeKey(int slot);
// The slot of a data-set node key, or 0.
int SlotOfDataSetKey(std::string_view key);

// The category letter of a parameter key ("2key GMAG" -> 'G'); 0 for a key without one.
char CategoryLetter(std::string_view key);
// The y-axis title of a rectangular plot of that category.
std::string_view AxisTitleOf(char category);
// Whether every key has the same category letter (a rectangular plot's rule).
bool OneCategory(std::span<const std::string_view> keys);

} // namespace korvel::ui
