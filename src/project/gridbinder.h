#pragma once

#include <QString>
#include <functional>

namespace veskplan {

struct Workspace;
class CategoryEditor;
class HeaderEditor;
class MasterList;

// Binds the project grid to the working table (`setupGrid`): the special rows of a saved
// project are read into the header fields and category boxes and deleted, the master revision
// check runs after an Open, and the first category is selected.
class GridBinder {
public:
    // `selectUnit` selects an entry of the unit selector and runs its handler.
    GridBinder(Workspace& workspace, CategoryEditor& categories, HeaderEditor& header,
               std::function<void(int)> selectUnit)
        : ws_(workspace),
          categories_(categories),
          header_(header),
          selectUnit_(std::move(selectUnit)) {}

    void setupGrid();

    // The item number the revision check gives a stored number: its first twelve characters,
    // followed by the mark "  <<" when the master list lacks it.
    static QString revisedItemNumber(const QString& stored, const MasterList& master);

    static constexpr char16_t kRevisionMark[] = u"  <<";

private:
    void readSpecialRows();
    void addCategoriesFromItems();
    void checkRevision();

    Workspace& ws_;
    CategoryEditor& categories_;
    HeaderEditor& header_;
    std::function<void(int)> selectUnit_;
};

}  // namespace veskplan
