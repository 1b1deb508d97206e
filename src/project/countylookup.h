#pragma once

#include <QString>

namespace veskplan {

// The county name the Trns*Port file and the printed table show: line N of the county file
// names county N, and a project number carries N in its last two characters. The name found
// last is kept for as long as the program runs.
class CountyLookup {
public:
    explicit CountyLookup(QString countyFile) : countyFile_(std::move(countyFile)) {}

    // The county number of a project number ("...03" is 3, "...-5" is 5, "...7)" is 7, "...A3"
    // is 0).
    static int countyNumber(const QString& projectNumber);

    // The parts of a project number such as "STP-12-B(7)03".
    struct ProjectNumberParts {
        bool wellFormed = false;  // two "-", a "(" after the first character, a ")" after it
        int county = 0;
        QString dash;     // between the first "-" and the next
        QString letter;   // the character before the first "("
        QString bracket;  // between the first "(" and the first ")"
    };
    static ProjectNumberParts parts(const QString& projectNumber);

    // The name the lookup gives for a project number, without keeping it: no project number,
    // or county 0, gives the name kept; a missing file or one without line N an empty name.
    QString lookUp(const QString& projectNumber) const;

    const QString& name() const { return name_; }
    void keep(const QString& name) { name_ = name; }

private:
    QString countyFile_;
    QString name_;
};

}  // namespace veskplan
