// The calculator catalogue: its groups and entries in display order, and the rule that
// decides when the list bar whooshes on a group change.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace korvel::ui {

struct CatalogueEntry {
    QString caption;      // shown under the icon, embedded blanks kept
    QString key;          // what a click dispatches on
    QString icon;         // icons/<icon>.svg in the program folder
    QString windowClass;  // the window the entry opens
};

struct CatalogueGroup {
    QString caption;
    QString key;
    std::vector<CatalogueEntry> entries;
};

// The whole catalogue, groups and entries in the order the list bar shows them.
const std::vector<CatalogueGroup>& Catalogue();

// The group of the maker's own pages: opening one of them keeps the list bar in view.
inline constexpr const char* kMakerGroupKey = "Dorrit";

// The entry a click with this text opens: by key, or by caption for the maker's pages and
// the engineering constants, whose captions are accepted as well. nullptr when unknown.
const CatalogueEntry* FindCatalogueEntry(const QString& keyOrCaption);
// The group holding the entry (nullptr when the entry is not from the catalogue).
const CatalogueGroup* GroupOfEntry(const CatalogueEntry* entry);

// Whether a change of the open group is heard. Group numbers count from 1; the remembered
// number is 0 before the first change. The first change after start-up is heard only when it
// opens a group other than the first, later ones only when the group really changed.
bool GroupChangeWhooshes(int newGroup, int rememberedGroup, bool startingUp);

} // namespace korvel::ui
