#include "sampledata/sampledata.h"

#include <QString>
#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "sampledata/catalogue.h"
#include "sampledata/splitmix64.h"
#include "shell/textcodec.h"

using namespace Qt::Literals::StringLiterals;

namespace veskplan::sampledata {
namespace {

constexpr int kLineBytes = kLineWidth + 2;

// Generated numbers of a large list stay below 9000000 so that a fixed free-text number such as
// "2599-9999" sorts after all of them.
constexpr quint32 kSuffixSpace = 9'000'000;

// Made-up names of landscape, trees and waters; county N is line N.
constexpr const char16_t* kCounties[] = {
    u"Alder",          u"Applewood",     u"Ashgrove",     u"Aspen",        u"Basswood",
    u"Bayberry",       u"Beechwood",     u"Birchwood",    u"Blackwater",   u"Bluestem",
    u"Boulder Flats",  u"Bramble",       u"Brookside",    u"Buckthorn",    u"Butternut",
    u"Canyon Rim",     u"Cattail",       u"Cedar Bluff",  u"Chestnut",     u"Clearwater",
    u"Cloverdale",     u"Cottonwood",    u"Crabapple",    u"Creekbend",    u"Crestview",
    u"Cypress Hollow", u"Deerfield",     u"Dogwood",      u"Driftwood",    u"Elderberry",
    u"Elm Valley",     u"Fernhill",      u"Fieldstone",   u"Fir Ridge",    u"Foxglove",
    u"Glenwood",       u"Granite Falls", u"Greenbriar",   u"Hackberry",    u"Harebell",
    u"Hawthorn",       u"Hazelnut",      u"Heather",      u"Hemlock",      u"Hickory",
    u"Highland",       u"Hollow Creek",  u"Hollyberry",   u"Ironwood",     u"Juniper",
    u"Kettle River",   u"Lakeshore",     u"Larch",        u"Laurel",       u"Linden",
    u"Locust Grove",   u"Lone Pine",     u"Maplewood",    u"Marshland",    u"Meadowlark",
    u"Mesa Ridge",     u"Millstream",    u"Mossy Rock",   u"Mulberry",     u"Myrtle",
    u"Northwood",      u"Oak Ridge",     u"Osage Plain",  u"Pebble Creek", u"Pinecrest",
    u"Plainview",      u"Poplar",        u"Prairie Rose", u"Quarry Hill",  u"Redbud",
    u"Redwood",        u"Ridgeway",      u"River Bend",   u"Rockledge",    u"Rosewood",
    u"Sagebrush",      u"Sandstone",     u"Sassafras",    u"Shadow Lake",  u"Silver Creek",
    u"Spruce",         u"Stonebridge",   u"Sumac",        u"Sycamore",     u"Tamarack",
    u"Thistle",        u"Timberline",    u"Twin Rivers",  u"Valley View",  u"Walnut",
    u"Wildrose",       u"Willow",        u"Windmill",     u"Wolf River",
};
static_assert(std::size(kCounties) == 99);

void appendLine(QByteArray& out, const QByteArray& text) {
    out += text;
    out += textcodec::kLineEnd;
}

// Splits `total` rows over slots in proportion to their weights; the cumulative rounding makes
// the counts add up to `total` exactly.
std::vector<int> spread(int total, const std::vector<int>& weights) {
    qint64 sum = 0;
    for (int w : weights) {
        sum += w;
    }
    std::vector<int> counts(weights.size(), 0);
    if (total == 0) {
        return counts;
    }
    if (sum == 0) {
        throw std::logic_error("no items to spread large-list rows over");
    }
    qint64 cumulative = 0;
    qint64 given = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        cumulative += weights[i];
        const qint64 upTo = qint64(total) * cumulative / sum;
        counts[i] = int(upTo - given);
        given = upTo;
    }
    return counts;
}

void writeDigits(char* out, quint32 value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = char('0' + value % 10);
        value /= 10;
    }
}

}  // namespace

QByteArray masterList(Units units) {
    const auto& entries = Catalogue::instance().entries();
    QByteArray out;
    out.reserve(qsizetype(entries.size()) * kLineBytes);
    for (const auto& entry : entries) {
        appendLine(out, entry.number + ' ' + entry.text(units));
    }
    return out;
}

QByteArray categoryFile() {
    QByteArray out;
    for (const auto& heading : Catalogue::instance().headings()) {
        appendLine(out, heading.code + ' ' + heading.title);
    }
    return out;
}

QByteArray countyFile() {
    QByteArray out;
    for (const char16_t* name : kCounties) {
        appendLine(out, textcodec::encode(QStringView(name)));
    }
    return out;
}

QByteArray largeMasterList(int rows, Units units, quint32 seed) {
    if (rows < 0 || rows > kMaxLargeRows) {
        throw std::invalid_argument("large master list rows must be 0 to " +
                                    std::to_string(kMaxLargeRows) + ", not " +
                                    std::to_string(rows));
    }
    if (rows == 0) {
        return {};
    }
    const Catalogue& catalogue = Catalogue::instance();
    const auto& headings = catalogue.headings();
    const auto& entries = catalogue.entries();

    // The items each category can draw from, with and without the word PIPE. The fixed
    // free-text item is written once per list, never drawn.
    std::vector<std::vector<int>> pipeItems(headings.size());
    std::vector<std::vector<int>> plainItems(headings.size());
    const Catalogue::Entry* freeText = nullptr;
    for (int i = 0; i < int(entries.size()); ++i) {
        const auto& entry = entries[i];
        if (entry.fixedNumber) {
            freeText = &entry;
        } else {
            (entry.hasPipe ? pipeItems : plainItems)[entry.heading].push_back(i);
        }
    }
    if (!freeText) {
        throw std::logic_error("the catalogue lacks its free-text item");
    }

    // One row in a hundred has PIPE, as in the lists designers search; the rest follow the
    // catalogue's proportions, so every category gets rows once there are a few thousand.
    const int pipeRows = std::min(rows - 1, (rows + 50) / 100);
    const int plainRows = rows - 1 - pipeRows;
    std::vector<int> pipeWeights;
    std::vector<int> plainWeights;
    for (std::size_t h = 0; h < headings.size(); ++h) {
        pipeWeights.push_back(int(pipeItems[h].size()));
        plainWeights.push_back(int(plainItems[h].size()));
    }
    const std::vector<int> pipeCounts = spread(pipeRows, pipeWeights);
    const std::vector<int> plainCounts = spread(plainRows, plainWeights);

    QByteArray out(qsizetype(rows) * kLineBytes, Qt::Uninitialized);
    char* line = out.data();
    SplitMix64 random(seed);
    std::vector<int> picks;
    for (std::size_t h = 0; h < headings.size(); ++h) {
        picks.clear();
        for (int i = 0; i < pipeCounts[h]; ++i) {
            picks.push_back(pipeItems[h][random.below(quint32(pipeItems[h].size()))]);
        }
        for (int i = 0; i < plainCounts[h]; ++i) {
            picks.push_back(plainItems[h][random.below(quint32(plainItems[h].size()))]);
        }
        // In catalogue order, so related items stay together as in a real list.
        std::sort(picks.begin(), picks.end());

        const int count = int(picks.size());
        if (count > 0) {
            // One number per slot of the category's number space: ascending and unique.
            const quint32 stride = kSuffixSpace / quint32(count);
            for (int i = 0; i < count; ++i) {
                const quint32 suffix = quint32(i) * stride + random.below(stride);
                std::memcpy(line, headings[h].code.constData(), 4);
                line[4] = '-';
                writeDigits(line + 5, suffix, 7);
                line[kNumberWidth] = ' ';
                std::memcpy(line + kNumberWidth + 1, entries[picks[i]].text(units).constData(),
                            kDescriptionWidth + kUnitWidth);
                line[kLineWidth] = '\r';
                line[kLineWidth + 1] = '\n';
                line += kLineBytes;
            }
        }
        if (int(h) == freeText->heading) {
            const QByteArray text = freeText->number + ' ' + freeText->text(units) + "\r\n";
            std::memcpy(line, text.constData(), kLineBytes);
            line += kLineBytes;
        }
    }
    if (line != out.constData() + out.size()) {
        throw std::logic_error("large master list row count mismatch");
    }
    return out;
}

}  // namespace veskplan::sampledata
