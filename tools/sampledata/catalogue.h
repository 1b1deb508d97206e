#pragma once

#include <QByteArray>
#include <vector>

#include "sampledata/sampledata.h"

namespace veskplan::sampledata {

// The vocabulary behind the bundled files: the sections and categories of itemcats.txt and every
// item of the master lists, expanded from templates and encoded once. The tables are checked when
// the catalogue is built, so a slip in them (an overlong description, a character the code page
// lacks, numbers out of order) throws std::logic_error instead of producing a damaged file.
class Catalogue {
public:
    struct Heading {
        QByteArray code;   // four digits; "NN00" for a section
        QByteArray title;  // encoded
        bool isSection = false;
    };

    struct Entry {
        QByteArray number;   // padded with blanks to kNumberWidth
        QByteArray english;  // description and unit, padded to their widths and encoded
        QByteArray metric;
        int heading = 0;  // index of the item's category in headings()
        bool hasPipe = false;
        bool fixedNumber = false;  // a free-text number such as "2599-9999", never repeated

        const QByteArray& text(Units units) const {
            return units == Units::English ? english : metric;
        }
    };

    static const Catalogue& instance();

    const std::vector<Heading>& headings() const { return headings_; }
    // In ascending item-number order.
    const std::vector<Entry>& entries() const { return entries_; }

private:
    Catalogue();

    void buildHeadings();
    void buildEntries();
    void checkCoverage() const;

    std::vector<Heading> headings_;
    std::vector<Entry> entries_;
};

}  // namespace veskplan::sampledata
