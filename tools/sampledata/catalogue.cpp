#include "sampledata/catalogue.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <utility>

#include "shell/textcodec.h"

using namespace Qt::Literals::StringLiterals;

namespace veskplan::sampledata {
namespace {

// One value of a template's placeholder, in both unit systems.
struct Choice {
    QString english;
    QString metric;
};
using Axis = std::vector<Choice>;

// A family of items: the description has placeholders %1, %2, ... and the family expands to
// every combination of its axes, the last axis varying fastest.
struct Template {
    const char16_t* category;
    const char16_t* english;
    const char16_t* unit;  // English; the metric unit follows from it
    std::vector<Axis> axes{};
    const char16_t* metric = nullptr;  // wording of the metric list where it differs
    const char16_t* number = nullptr;  // fixed number of a free-text item
};

struct HeadingText {
    const char16_t* code;
    const char16_t* title;
};

Axis same(std::initializer_list<const char16_t*> values) {
    Axis axis;
    for (const char16_t* value : values) {
        axis.push_back({QString::fromUtf16(value), QString::fromUtf16(value)});
    }
    return axis;
}

// Nominal sizes of pipe, conduit and the like: 25 mm to the inch, as the metric sizes run.
Axis inches(std::initializer_list<int> sizes) {
    Axis axis;
    for (int size : sizes) {
        axis.push_back({u"%1 INCH"_s.arg(size), u"%1 MM"_s.arg(size * 25)});
    }
    return axis;
}

Axis pairs(std::initializer_list<std::pair<const char16_t*, const char16_t*>> values) {
    Axis axis;
    for (const auto& [english, metric] : values) {
        axis.push_back({QString::fromUtf16(english), QString::fromUtf16(metric)});
    }
    return axis;
}

const std::vector<HeadingText>& headingTable() {
    static const std::vector<HeadingText> table = {
        {u"2100", u"GRADING AND EARTHWORK"},
        {u"2101", u"CLEARING AND GRUBBING"},
        {u"2102", u"REMOVALS"},
        {u"2105", u"EXCAVATION AND EMBANKMENT"},
        {u"2106", u"SUBGRADE PREPARATION"},
        {u"2107", u"GEOSYNTHETICS"},
        {u"2108", u"WATER AND DUST CONTROL"},
        {u"2200", u"BASE COURSES"},
        {u"2201", u"AGGREGATE BASE"},
        {u"2202", u"STABILIZED BASE"},
        {u"2203", u"PERMEABLE BASE"},
        {u"2204", u"AGGREGATE SURFACING AND SHOULDERS"},
        {u"2205", u"GRANULAR SUBBASE"},
        {u"2300", u"SURFACING AND PAVEMENTS"},
        {u"2301", u"CONCRETE PAVEMENT"},
        {u"2302", u"CONCRETE PAVEMENT REPAIR"},
        {u"2303", u"ASPHALT PAVEMENT"},
        {u"2304", u"ASPHALT MATERIALS"},
        {u"2305", u"MILLING AND RECYCLING"},
        {u"2306", u"SURFACE TREATMENTS"},
        {u"2400", u"STRUCTURES"},
        {u"2401", u"STRUCTURE REMOVAL AND EXCAVATION"},
        {u"2402", u"STRUCTURAL CONCRETE"},
        {u"2403", u"REINFORCEMENT"},
        {u"2404", u"STRUCTURAL STEEL"},
        {u"2405", u"PRESTRESSED BEAMS"},
        {u"2406", u"PILING AND DRILLED SHAFTS"},
        {u"2407", u"BEARINGS AND JOINTS"},
        {u"2408", u"RAILINGS"},
        {u"2411", u"RETAINING WALLS"},
        {u"2500", u"DRAINAGE AND INCIDENTALS"},
        {u"2501", u"PIPE CULVERTS"},
        {u"2502", u"SUBSURFACE DRAINS"},
        {u"2503", u"STORM SEWERS"},
        {u"2504", u"CULVERT END TREATMENTS"},
        {u"2506", u"MANHOLES AND CATCH BASINS"},
        {u"2507", u"CASTINGS"},
        {u"2508", u"BOX CULVERTS"},
        {u"2510", u"RIPRAP AND SLOPE PROTECTION"},
        {u"2512", u"WATER MAIN AND UTILITIES"},
        {u"2521", u"WALKS AND CURB RAMPS"},
        {u"2531", u"CURB AND GUTTER"},
        {u"2540", u"FENCING"},
        {u"2550", u"MOBILIZATION AND FIELD FACILITIES"},
        {u"2565", u"EQUIPMENT RENTAL AND FORCE ACCOUNT"},
        {u"2599", u"SPECIAL ITEMS"},
        {u"2600", u"TRAFFIC CONTROL AND SAFETY"},
        {u"2601", u"TRAFFIC CONTROL"},
        {u"2602", u"TEMPORARY TRAFFIC DEVICES"},
        {u"2605", u"GUARDRAIL"},
        {u"2606", u"CONCRETE BARRIERS"},
        {u"2608", u"IMPACT ATTENUATORS"},
        {u"2700", u"SIGNING AND PAVEMENT MARKING"},
        {u"2701", u"SIGN PANELS"},
        {u"2702", u"SIGN SUPPORTS AND STRUCTURES"},
        {u"2703", u"DELINEATORS AND MARKERS"},
        {u"2704", u"PAVEMENT MARKINGS"},
        {u"2705", u"PAVEMENT MESSAGES AND SYMBOLS"},
        {u"2800", u"LIGHTING AND SIGNALS"},
        {u"2801", u"LIGHTING"},
        {u"2802", u"CONDUIT AND WIRING"},
        {u"2803", u"TRAFFIC SIGNALS"},
        {u"2804", u"TRAFFIC MONITORING"},
        {u"2900", u"EROSION CONTROL AND LANDSCAPING"},
        {u"2901", u"TEMPORARY EROSION CONTROL"},
        {u"2902", u"SEDIMENT CONTROL"},
        {u"2903", u"TURF ESTABLISHMENT"},
        {u"2904", u"LANDSCAPE PLANTING"},
    };
    return table;
}

std::vector<Template> itemTemplates() {
    const Axis treeSizes = pairs({{u"UNDER 12 INCH DIA", u"UNDER 300 MM DIA"},
                                  {u"12 TO 24 INCH DIA", u"300 TO 600 MM DIA"},
                                  {u"OVER 24 INCH DIA", u"OVER 600 MM DIA"}});
    const Axis measured = same({u"(P)", u"(EV)", u"(CV)", u"(LV)"});
    const Axis digits1to7 = same({u"1", u"2", u"3", u"4", u"5", u"6", u"7"});
    const Axis letters4 = same({u"A", u"B", u"C", u"D"});
    const Axis rcClasses = same({u"II", u"III", u"IV", u"V"});
    const Axis rcSizes = inches({12, 15, 18, 21, 24, 27, 30, 36, 42, 48, 54, 60, 66, 72, 78, 84});
    const Axis sewerSizes =
        inches({12, 15, 18, 21, 24, 27, 30, 33, 36, 42, 48, 54, 60, 66, 72, 78, 84, 90, 96});
    const Axis csSizes = inches({12, 15, 18, 24, 30, 36, 42, 48, 54, 60, 66, 72});
    const Axis gauges = pairs({{u"16 GAUGE", u"1.6 MM WALL"},
                               {u"14 GAUGE", u"2.0 MM WALL"},
                               {u"12 GAUGE", u"2.8 MM WALL"},
                               {u"10 GAUGE", u"3.5 MM WALL"}});
    const Axis boxSizes = pairs({{u"4X3 FT", u"1200X900 MM"},
                                 {u"5X3 FT", u"1500X900 MM"},
                                 {u"6X4 FT", u"1800X1200 MM"},
                                 {u"8X4 FT", u"2400X1200 MM"},
                                 {u"8X6 FT", u"2400X1800 MM"},
                                 {u"10X6 FT", u"3000X1800 MM"},
                                 {u"10X8 FT", u"3000X2400 MM"},
                                 {u"12X8 FT", u"3600X2400 MM"},
                                 {u"12X10 FT", u"3600X3000 MM"}});
    const Axis conduitSizes = pairs({{u"1 INCH", u"25 MM"},
                                     {u"1\u00BD INCH", u"40 MM"},
                                     {u"2 INCH", u"50 MM"},
                                     {u"3 INCH", u"75 MM"},
                                     {u"4 INCH", u"100 MM"}});
    const Axis serviceSizes =
        pairs({{u"1 INCH", u"25 MM"}, {u"1\u00BD INCH", u"40 MM"}, {u"2 INCH", u"50 MM"}});
    const Axis fenceHeights =
        pairs({{u"4 FT", u"1.2 M"}, {u"5 FT", u"1.5 M"}, {u"6 FT", u"1.8 M"}, {u"8 FT", u"2.4 M"}});
    const Axis markingMaterials = same({u"PAINT", u"EPOXY", u"TAPE", u"POLYUREA"});
    const Axis containers = pairs({{u"1 GAL", u"4 L"}, {u"2 GAL", u"8 L"}, {u"5 GAL", u"20 L"}});

    return {
        // 21 grading and earthwork
        {u"2101", u"CLEARING", u"ACRE"},
        {u"2101", u"GRUBBING", u"ACRE"},
        {u"2101", u"CLEARING AND GRUBBING", u"LS"},
        {u"2101", u"REMOVE TREE %1", u"EACH", {treeSizes}},
        {u"2101", u"REMOVE STUMP %1", u"EACH", {treeSizes}},
        {u"2101", u"TREE TRIMMING", u"EACH"},
        {u"2101", u"BRUSH REMOVAL", u"ACRE"},

        {u"2102", u"REMOVE %1 PAVEMENT", u"SY", {same({u"BITUMINOUS", u"CONCRETE", u"BRICK"})}},
        {u"2102",
         u"REMOVE CONCRETE %1",
         u"LF",
         {same({u"CURB", u"CURB AND GUTTER", u"MEDIAN BARRIER", u"GUTTER"})}},
        {u"2102",
         u"REMOVE %1",
         u"SY",
         {same({u"CONCRETE WALK", u"BITUMINOUS WALK", u"CONCRETE DRIVEWAY", u"CONCRETE MEDIAN",
                u"RETAINING WALL"})}},
        {u"2102",
         u"REMOVE %1",
         u"EACH",
         {same({u"SIGN", u"SIGN POST", u"MAILBOX", u"HYDRANT", u"CATCH BASIN", u"MANHOLE",
                u"HEADWALL", u"LIGHT POLE", u"SIGNAL POLE", u"CULVERT APRON", u"SEPTIC TANK",
                u"WELL (SEAL)", u"PARKING METER", u"BENCH", u"TREE GRATE", u"BOLLARD"})}},
        {u"2102",
         u"REMOVE %1",
         u"LF",
         {same({u"FENCE", u"GUARDRAIL", u"CABLE BARRIER", u"UNDERDRAIN"})}},
        {u"2102",
         u"REMOVE %1",
         u"LF",
         {same({u"PIPE CULVERT", u"SEWER PIPE (STORM)", u"SEWER PIPE (SANITARY)",
                u"WATER MAIN PIPE"})}},
        {u"2102", u"SAWING %1 PAVEMENT (FULL DEPTH)", u"LF", {same({u"BITUMINOUS", u"CONCRETE"})}},

        {u"2105",
         u"%1 EXCAVATION %2",
         u"CY",
         {same({u"COMMON", u"ROCK", u"MUCK", u"SUBGRADE", u"CHANNEL", u"UNCLASSIFIED"}), measured}},
        {u"2105",
         u"%1 BORROW %2",
         u"CY",
         {same({u"COMMON", u"GRANULAR", u"SELECT GRANULAR", u"AGGREGATE"}),
          same({u"(P)", u"(CV)", u"(LV)"})}},
        {u"2105", u"EMBANKMENT IN PLACE", u"CY"},
        {u"2105", u"STOCKPILE AND REUSE MATERIAL", u"CY"},

        {u"2106", u"SUBGRADE PREPARATION", u"SY"},
        {u"2106", u"%1 LIME TREATED SUBGRADE", u"SY", {inches({6, 8, 12})}},
        {u"2106", u"%1 CEMENT TREATED SUBGRADE", u"SY", {inches({6, 8, 12})}},
        {u"2106", u"HYDRATED LIME", u"TON"},
        {u"2106", u"PORTLAND CEMENT FOR SUBGRADE", u"TON"},
        {u"2106", u"PROOF ROLLING", u"HR"},
        {u"2106", u"SCARIFY AND RECOMPACT SUBGRADE", u"SY"},

        {u"2107", u"GEOTEXTILE FABRIC TYPE %1", u"SY", {digits1to7}},
        {u"2107", u"GEOGRID TYPE %1", u"SY", {same({u"1", u"2", u"3"})}},
        {u"2107", u"%1 GEOCELL CONFINEMENT", u"SY", {inches({4, 6, 8})}},
        {u"2107", u"GEOMEMBRANE LINER", u"SY"},

        {u"2108", u"WATER", u"MGAL"},
        {u"2108", u"CALCIUM CHLORIDE SOLUTION", u"GAL"},
        {u"2108", u"CALCIUM CHLORIDE FLAKE", u"LB"},
        {u"2108", u"MAGNESIUM CHLORIDE SOLUTION", u"GAL"},
        {u"2108", u"DUST PALLIATIVE", u"GAL"},
        {u"2108", u"DUST CONTROL", u"LS"},

        // 22 base courses
        {u"2201", u"AGGREGATE BASE CLASS %1", u"TON", {digits1to7}},
        {u"2201", u"AGGREGATE BASE (CV) CLASS %1", u"CY", {digits1to7}},
        {u"2201", u"AGGREGATE BASE (LV) CLASS %1", u"CY", {digits1to7}},
        {u"2201", u"%1 AGGREGATE BASE", u"SY", {inches({4, 6, 8, 10, 12})}},

        {u"2202", u"%1 CEMENT TREATED BASE", u"SY", {inches({6, 8, 10})}},
        {u"2202", u"%1 FULL DEPTH RECLAMATION", u"SY", {inches({6, 8, 10, 12})}},
        {u"2202", u"%1 EMULSION STABILIZED BASE", u"SY", {inches({4, 6})}},
        {u"2202", u"ASPHALT STABILIZED BASE", u"TON"},
        {u"2202", u"STABILIZING AGENT (CEMENT)", u"TON"},
        {u"2202", u"STABILIZING AGENT (EMULSION)", u"GAL"},

        {u"2203", u"%1 OPEN GRADED AGGREGATE BASE", u"SY", {inches({4, 6})}},
        {u"2203", u"%1 ASPHALT TREATED PERMEABLE BASE", u"SY", {inches({3, 4})}},
        {u"2203", u"%1 CEMENT TREATED PERMEABLE BASE", u"SY", {inches({4, 6})}},
        {u"2203", u"DRAINABLE STABLE BASE", u"TON"},
        {u"2203", u"SEPARATION LAYER AGGREGATE", u"TON"},

        {u"2204", u"AGGREGATE SURFACING CLASS %1", u"TON", {same({u"1", u"2", u"5", u"6"})}},
        {u"2204",
         u"AGGREGATE SURFACING %1 CRUSHED",
         u"TON",
         {pairs({{u"\u00BE INCH", u"19 MM"}, {u"1 INCH", u"25 MM"}, {u"1\u00BD INCH", u"40 MM"}})}},
        {u"2204", u"AGGREGATE SHOULDERING CLASS %1", u"TON", {same({u"1", u"2", u"3"})}},
        {u"2204", u"SHOULDER BASE AGGREGATE", u"TON"},
        {u"2204", u"RECLAIMED ASPHALT SHOULDERING", u"TON"},

        {u"2205", u"GRANULAR SUBBASE %1", u"CY", {same({u"(P)", u"(CV)", u"(LV)"})}},
        {u"2205", u"SELECT SUBBASE %1", u"CY", {same({u"(P)", u"(CV)", u"(LV)"})}},
        {u"2205", u"%1 GRANULAR SUBBASE", u"SY", {inches({6, 12, 18, 24})}},

        // 23 surfacing and pavements
        {u"2301",
         u"%1 CONCRETE PAVEMENT %2",
         u"SY",
         {inches({6, 7, 8, 9, 10, 11, 12}), same({u"(PLAIN)", u"(DOWELED)", u"HIGH EARLY"})}},
        {u"2301",
         u"DOWEL BAR %1 DIA",
         u"EACH",
         {pairs(
             {{u"1 INCH", u"25 MM"}, {u"1\u00BC INCH", u"32 MM"}, {u"1\u00BD INCH", u"38 MM"}})}},
        {u"2301", u"TIE BAR", u"EACH"},
        {u"2301", u"CONCRETE PAVEMENT JOINT SEALING", u"LF"},
        {u"2301", u"DIAMOND GRINDING", u"SY"},
        {u"2301", u"CONCRETE CURING COMPOUND", u"GAL"},

        {u"2302", u"FULL DEPTH REPAIR TYPE %1", u"SY", {same({u"A", u"B", u"C"})}},
        {u"2302", u"PARTIAL DEPTH SPALL REPAIR", u"SY"},
        {u"2302", u"DOWEL BAR RETROFIT", u"EACH"},
        {u"2302", u"CROSS STITCHING", u"EACH"},
        {u"2302", u"CONCRETE JOINT RESEALING", u"LF"},
        {u"2302", u"CRACK SEALING CONCRETE PAVEMENT", u"LF"},
        {u"2302", u"SLAB STABILIZATION GROUT", u"CY"},
        {u"2302", u"%1 PAVEMENT SLAB REPLACEMENT", u"SY", {inches({8, 9, 10})}},

        {u"2303",
         u"ASPHALT %1 COURSE MIX %2 %3",
         u"TON",
         {same({u"WEARING", u"LEVELING", u"BASE"}), same({u"A", u"B", u"C", u"D"}),
          pairs(
              {{u"\u00BD INCH", u"12.5 MM"}, {u"\u00BE INCH", u"19 MM"}, {u"1 INCH", u"25 MM"}})}},
        {u"2303", u"ASPHALT PATCHING MIXTURE", u"TON"},
        {u"2303", u"PAVEMENT DENSITY INCENTIVE", u"LS"},
        {u"2303", u"PAVEMENT SMOOTHNESS INCENTIVE", u"LS"},

        {u"2304",
         u"ASPHALT BINDER PG %1",
         u"TON",
         {same({u"52-34", u"58-28", u"58-34", u"64-22", u"64-28", u"64-34", u"70-22", u"76-22"})}},
        {u"2304",
         u"EMULSIFIED ASPHALT %1",
         u"GAL",
         {same({u"SS-1", u"SS-1H", u"CSS-1", u"CSS-1H", u"CRS-2", u"RS-2"})}},
        {u"2304", u"TACK COAT", u"GAL"},
        {u"2304", u"PRIME COAT", u"GAL"},
        {u"2304", u"FOG SEAL EMULSION", u"GAL"},
        {u"2304", u"ANTISTRIP ADDITIVE", u"LB"},
        {u"2304", u"HYDRATED LIME FOR ASPHALT MIX", u"TON"},

        {u"2305",
         u"MILL ASPHALT SURFACE %1",
         u"SY",
         {pairs({{u"1 INCH", u"25 MM"},
                 {u"1\u00BD INCH", u"40 MM"},
                 {u"2 INCH", u"50 MM"},
                 {u"3 INCH", u"75 MM"},
                 {u"4 INCH", u"100 MM"}})}},
        {u"2305",
         u"MILL CONCRETE SURFACE %1",
         u"SY",
         {pairs({{u"\u00BD INCH", u"13 MM"}, {u"1 INCH", u"25 MM"}})}},
        {u"2305", u"MILL RUMBLE STRIPS %1", u"LF", {same({u"(SHOULDER)", u"(CENTERLINE)"})}},
        {u"2305", u"%1 COLD IN-PLACE RECYCLING", u"SY", {inches({3, 4, 5})}},
        {u"2305", u"HOT IN-PLACE RECYCLING", u"SY"},
        {u"2305", u"RECLAIMED ASPHALT PAVEMENT", u"TON"},
        {u"2305", u"SALVAGE AND STOCKPILE MILLINGS", u"TON"},

        {u"2306", u"%1 CHIP SEAL", u"SY", {same({u"SINGLE", u"DOUBLE", u"FIBER REINFORCED"})}},
        {u"2306", u"SLURRY SEAL TYPE %1", u"SY", {same({u"I", u"II", u"III"})}},
        {u"2306", u"MICROSURFACING TYPE %1", u"SY", {same({u"II", u"III"})}},
        {u"2306", u"CRACK SEALING", u"LB"},
        {u"2306", u"CRACK FILLING", u"LB"},
        {u"2306", u"CRACK ROUTING", u"LF"},
        {u"2306", u"COVER AGGREGATE", u"TON"},
        {u"2306", u"HIGH FRICTION SURFACE TREATMENT", u"SY"},

        // 24 structures
        {u"2401", u"REMOVE EXISTING BRIDGE", u"LS"},
        {u"2401", u"PARTIAL BRIDGE REMOVAL", u"LS"},
        {u"2401",
         u"STRUCTURE EXCAVATION CLASS %1",
         u"CY",
         {same({u"A", u"B", u"C", u"E", u"R", u"U"})}},
        {u"2401", u"GRANULAR BACKFILL (STRUCTURE)", u"CY"},
        {u"2401", u"FOUNDATION PREPARATION", u"LS"},
        {u"2401", u"COFFERDAM", u"LS"},
        {u"2401", u"FOUNDATION SEAL CONCRETE", u"CY"},

        {u"2402",
         u"STRUCTURAL CONCRETE CLASS %1 %2",
         u"CY",
         {same({u"A", u"B", u"C", u"D", u"E"}),
          same({u"FOOTING", u"ABUTMENT", u"PIER", u"DECK", u"BARRIER", u"WINGWALL"})}},
        {u"2402", u"%1 BRIDGE DECK SLAB", u"SY", {inches({8, 9, 10})}},
        {u"2402", u"BRIDGE APPROACH SLAB", u"SY"},
        {u"2402",
         u"CONCRETE WEARING COURSE %1",
         u"SY",
         {pairs({{u"1\u00BD INCH", u"40 MM"}, {u"2 INCH", u"50 MM"}})}},
        {u"2402", u"PENETRATING CONCRETE SEALER", u"GAL"},
        {u"2402", u"ORNAMENTAL SURFACE FINISH", u"SY"},

        {u"2403", u"REINFORCEMENT BARS", u"LB"},
        {u"2403",
         u"REINFORCEMENT BARS (%1)",
         u"LB",
         {same({u"EPOXY COATED", u"GALVANIZED", u"STAINLESS STEEL", u"GFRP"})}},
        {u"2403",
         u"MECHANICAL BAR SPLICE %1",
         u"EACH",
         {pairs({{u"NO. 4", u"13 MM"},
                 {u"NO. 5", u"16 MM"},
                 {u"NO. 6", u"19 MM"},
                 {u"NO. 7", u"22 MM"},
                 {u"NO. 8", u"25 MM"},
                 {u"NO. 9", u"29 MM"},
                 {u"NO. 10", u"32 MM"},
                 {u"NO. 11", u"36 MM"}})}},
        {u"2403", u"SPIRAL REINFORCEMENT", u"LB"},
        {u"2403", u"WELDED WIRE REINFORCEMENT", u"LB"},

        {u"2404",
         u"STRUCTURAL STEEL (GRADE %1)",
         u"LB",
         {pairs({{u"36", u"250"},
                 {u"50", u"345"},
                 {u"50W", u"345W"},
                 {u"HPS 50W", u"HPS 345W"},
                 {u"HPS 70W", u"HPS 485W"}})}},
        {u"2404", u"SHEAR CONNECTORS", u"EACH"},
        {u"2404",
         u"HIGH STRENGTH BOLT %1",
         u"EACH",
         {pairs({{u"\u00BE INCH", u"M20"}, {u"1 INCH", u"M24"}})}},
        {u"2404", u"PAINT STRUCTURAL STEEL", u"LS"},
        {u"2404", u"CLEAN AND PAINT EXISTING STEEL", u"LS"},
        {u"2404", u"STEEL DIAPHRAGMS", u"EACH"},

        {u"2405",
         u"PRESTRESSED CONCRETE BEAM %1",
         u"LF",
         {pairs({{u"I-36", u"I-900"},
                 {u"I-45", u"I-1150"},
                 {u"I-54", u"I-1350"},
                 {u"I-63", u"I-1600"},
                 {u"I-72", u"I-1800"},
                 {u"BT-54", u"BT-1350"},
                 {u"BT-63", u"BT-1600"},
                 {u"BT-72", u"BT-1800"},
                 {u"BT-84", u"BT-2100"}})}},
        {u"2405", u"%1 PRESTRESSED SLAB BEAM", u"LF", {inches({12, 15, 18, 21})}},
        {u"2405", u"%1 PRESTRESSED BOX BEAM", u"LF", {inches({27, 33, 39, 42})}},
        {u"2405", u"ERECT PRESTRESSED BEAMS", u"EACH"},

        {u"2406",
         u"STEEL H-PILING %1",
         u"LF",
         {pairs({{u"HP 10X42", u"HP 250X62"},
                 {u"HP 12X53", u"HP 310X79"},
                 {u"HP 12X74", u"HP 310X110"},
                 {u"HP 14X73", u"HP 360X108"},
                 {u"HP 14X89", u"HP 360X132"},
                 {u"HP 14X117", u"HP 360X174"}})}},
        {u"2406", u"%1 CIP CONCRETE PILING", u"LF", {inches({12, 14, 16, 20, 24})}},
        {u"2406", u"%1 STEEL PIPE PILING", u"LF", {inches({12, 16, 20, 24})}},
        {u"2406", u"TEST PILE %1", u"EACH", {same({u"(STEEL H)", u"(CIP CONCRETE)"})}},
        {u"2406", u"PILE LOAD TEST %1", u"EACH", {same({u"(STATIC)", u"(DYNAMIC)"})}},
        {u"2406", u"PILE POINT REINFORCEMENT", u"EACH"},
        {u"2406", u"PREBORING", u"LF"},
        {u"2406", u"STEEL SHEET PILING (%1)", u"SF", {same({u"PERMANENT", u"TEMPORARY"})}},
        {u"2406", u"%1 DRILLED SHAFT", u"LF", {inches({36, 42, 48, 60, 72})}},

        {u"2407", u"ELASTOMERIC BEARING PAD TYPE %1", u"EACH", {letters4}},
        {u"2407",
         u"BEARING ASSEMBLY %1",
         u"EACH",
         {same({u"(FIXED)", u"(EXPANSION)", u"(GUIDED)"})}},
        {u"2407",
         u"EXPANSION JOINT %1",
         u"LF",
         {same({u"(STRIP SEAL)", u"(MODULAR)", u"(FINGER)", u"(COMPRESSION SEAL)"})}},
        {u"2407", u"BEARING REPLACEMENT", u"EACH"},
        {u"2407", u"JOINT GLAND REPLACEMENT", u"LF"},

        {u"2408", u"CONCRETE BARRIER RAILING TYPE %1", u"LF", {same({u"A", u"B", u"C", u"F"})}},
        {u"2408", u"STRUCTURAL TUBE RAILING TYPE %1", u"LF", {same({u"1", u"2"})}},
        {u"2408", u"ORNAMENTAL METAL RAILING", u"LF"},
        {u"2408", u"PEDESTRIAN RAILING %1", u"LF", {inches({42, 54})}},
        {u"2408", u"BRIDGE RAIL TRANSITION", u"EACH"},

        {u"2411", u"MODULAR BLOCK RETAINING WALL", u"SF"},
        {u"2411", u"MECHANICALLY STABILIZED EARTH WALL", u"SF"},
        {u"2411", u"CONCRETE RETAINING WALL", u"CY"},
        {u"2411", u"SOLDIER PILE WALL", u"SF"},
        {u"2411", u"SOIL NAIL WALL", u"SF"},
        {u"2411", u"GABION WALL", u"CY"},
        {u"2411", u"WALL COPING", u"LF"},

        // 25 drainage and incidentals
        {u"2501", u"%1 RC PIPE CULVERT CLASS %2", u"LF", {rcSizes, rcClasses}},
        {u"2501", u"%1 CS PIPE CULVERT %2", u"LF", {csSizes, gauges}},
        {u"2501",
         u"%1 RC PIPE CULVERT (JACKED)",
         u"LF",
         {inches({24, 30, 36, 42, 48, 54, 60, 72})}},
        {u"2501", u"%1 HDPE PIPE CULVERT", u"LF", {inches({12, 15, 18, 24, 30, 36, 42, 48})}},
        {u"2501", u"%1 PVC PIPE CULVERT", u"LF", {inches({12, 15, 18, 24})}},
        {u"2501", u"CULVERT CLEANING", u"LF"},
        {u"2501", u"CULVERT JOINT REPAIR", u"EACH"},
        {u"2501", u"FLOWABLE FILL", u"CY"},

        {u"2502", u"%1 PERFORATED PE PIPE DRAIN", u"LF", {inches({4, 6, 8})}},
        {u"2502", u"%1 PVC PIPE UNDERDRAIN", u"LF", {inches({4, 6, 8})}},
        {u"2502", u"%1 PVC PIPE DRAIN OUTLET", u"LF", {inches({4, 6})}},
        {u"2502", u"UNDERDRAIN CLEANOUT %1", u"EACH", {inches({4, 6, 8})}},
        {u"2502", u"DRAINAGE AGGREGATE", u"CY"},
        {u"2502", u"GEOCOMPOSITE EDGE DRAIN", u"LF"},
        {u"2502", u"EDGE DRAIN OUTLET HEADWALL", u"EACH"},
        {u"2502", u"RODENT SCREEN", u"EACH"},

        {u"2503", u"%1 RC PIPE SEWER CLASS %2", u"LF", {sewerSizes, rcClasses}},
        {u"2503",
         u"%1 PVC PIPE SEWER %2",
         u"LF",
         {inches({8, 10, 12, 15, 18}), same({u"SDR 26", u"SDR 35"})}},
        {u"2503", u"%1 HDPE PIPE SEWER", u"LF", {inches({12, 15, 18, 24, 30, 36})}},
        {u"2503", u"%1 RC PIPE SEWER (JACKED)", u"LF", {inches({24, 30, 36, 42, 48, 54, 60, 72})}},
        {u"2503", u"%1 STEEL CASING PIPE JACKED", u"LF", {inches({24, 30, 36, 42, 48})}},
        {u"2503", u"CONNECT TO EXISTING STORM SEWER", u"EACH"},
        {u"2503", u"CONNECT INTO DRAINAGE STRUCTURE", u"EACH"},
        {u"2503", u"CLEAN AND TELEVISE STORM SEWER", u"LF"},
        {u"2503", u"SEWER BYPASS PUMPING", u"LS"},

        {u"2504", u"%1 RC PIPE APRON", u"EACH", {rcSizes}},
        {u"2504", u"%1 CS PIPE APRON", u"EACH", {csSizes}},
        {u"2504", u"%1 HDPE PIPE APRON", u"EACH", {inches({12, 15, 18, 24, 30, 36, 42, 48})}},
        {u"2504", u"TRASH GUARD FOR %1 PIPE APRON", u"EACH", {rcSizes}},
        {u"2504", u"SAFETY GRATE FOR %1 PIPE APRON", u"EACH", {inches({24, 30, 36, 42, 48})}},
        {u"2504", u"CONCRETE HEADWALL TYPE %1", u"EACH", {letters4}},

        {u"2506", u"MANHOLE %1 DIAMETER", u"EACH", {inches({48, 54, 60, 72, 84, 96})}},
        {u"2506", u"MANHOLE %1 DIA EXTRA DEPTH", u"LF", {inches({48, 54, 60, 72, 84, 96})}},
        {u"2506", u"CATCH BASIN TYPE %1", u"EACH", {same({u"A", u"B", u"C", u"D", u"E", u"F"})}},
        {u"2506", u"DROP INLET TYPE %1", u"EACH", {same({u"1", u"2", u"3", u"4"})}},
        {u"2506", u"CURB INLET TYPE %1", u"EACH", {same({u"A", u"B", u"C"})}},
        {u"2506", u"ADJUST FRAME AND RING CASTING", u"EACH"},
        {u"2506", u"RECONSTRUCT DRAINAGE STRUCTURE", u"LF"},
        {u"2506", u"BUILD STRUCTURE OVER EXISTING PIPE", u"EACH"},

        {u"2507",
         u"CASTING ASSEMBLY TYPE %1",
         u"EACH",
         {same({u"A", u"B", u"C", u"D", u"E", u"F", u"G", u"H"})}},
        {u"2507", u"MANHOLE COVER %1", u"EACH", {same({u"(STORM)", u"(SANITARY)", u"(LOCKING)"})}},
        {u"2507",
         u"INLET GRATE %1",
         u"EACH",
         {same({u"(BICYCLE SAFE)", u"(HEAVY DUTY)", u"(CURB BOX)"})}},
        {u"2507", u"%1 ADJUSTING RING", u"EACH", {inches({2, 4, 6})}},

        {u"2508", u"PRECAST BOX CULVERT %1", u"LF", {boxSizes}},
        {u"2508", u"BOX CULVERT END SECTION %1", u"EACH", {boxSizes}},
        {u"2508", u"CAST IN PLACE BOX CULVERT", u"CY"},
        {u"2508", u"BOX CULVERT CUTOFF WALL", u"LF"},

        {u"2510", u"RANDOM RIPRAP CLASS %1", u"CY", {same({u"I", u"II", u"III", u"IV", u"V"})}},
        {u"2510", u"GROUTED RIPRAP", u"CY"},
        {u"2510", u"HAND PLACED RIPRAP", u"CY"},
        {u"2510", u"FILTER AGGREGATE", u"TON"},
        {u"2510", u"GABIONS", u"CY"},
        {u"2510", u"%1 GABION MATTRESS", u"SY", {inches({9, 12, 18})}},
        {u"2510", u"CONCRETE SLOPE PAVING", u"SY"},
        {u"2510", u"ARTICULATED CONCRETE BLOCK MAT", u"SY"},
        {u"2510", u"RIPRAP BEDDING", u"TON"},

        {u"2512", u"%1 WATER MAIN DUCTILE IRON PIPE", u"LF", {inches({4, 6, 8, 10, 12, 16})}},
        {u"2512", u"%1 PVC WATER MAIN PIPE", u"LF", {inches({6, 8, 12})}},
        {u"2512",
         u"%1 BEND FOR %2 WATER MAIN",
         u"EACH",
         {same({u"11\u00BC\u00B0", u"22\u00BD\u00B0", u"45\u00B0", u"90\u00B0"}),
          inches({6, 8, 12, 16})}},
        {u"2512", u"%1 GATE VALVE AND BOX", u"EACH", {inches({4, 6, 8, 12, 16})}},
        {u"2512", u"HYDRANT", u"EACH"},
        {u"2512", u"RELOCATE HYDRANT", u"EACH"},
        {u"2512", u"DUCTILE IRON FITTINGS", u"LB"},
        {u"2512", u"ADJUST VALVE BOX", u"EACH"},
        {u"2512", u"COPPER WATER SERVICE %1", u"LF", {serviceSizes}},
        {u"2512", u"CORPORATION STOP %1", u"EACH", {serviceSizes}},

        {u"2521", u"%1 CONCRETE WALK", u"SY", {inches({4, 6})}},
        {u"2521", u"%1 BITUMINOUS WALK", u"SY", {inches({2, 3})}},
        {u"2521", u"CONCRETE CURB RAMP TYPE %1", u"EACH", {same({u"1", u"2", u"3", u"4", u"5"})}},
        {u"2521", u"DETECTABLE WARNING SURFACE", u"SF"},
        {u"2521", u"CONCRETE STEPS", u"CY"},
        {u"2521", u"HANDRAIL FOR STEPS", u"LF"},
        {u"2521", u"%1 AGGREGATE TRAIL", u"SY", {inches({3, 4})}},

        {u"2531",
         u"CONCRETE CURB AND GUTTER TYPE %1",
         u"LF",
         {same({u"A", u"B", u"C", u"D", u"E", u"F"})}},
        {u"2531", u"CONCRETE CURB TYPE %1", u"LF", {letters4}},
        {u"2531", u"%1 CONCRETE DRIVEWAY PAVEMENT", u"SY", {inches({6, 7, 8})}},
        {u"2531", u"%1 CONCRETE MEDIAN", u"SY", {inches({4, 6})}},
        {u"2531", u"CONCRETE VALLEY GUTTER", u"SY"},
        {u"2531", u"ASPHALT CURB", u"LF"},

        {u"2540", u"WOVEN WIRE FENCE %1", u"LF", {fenceHeights}},
        {u"2540", u"CHAIN LINK FENCE %1", u"LF", {fenceHeights}},
        {u"2540", u"ORNAMENTAL METAL FENCE %1", u"LF", {fenceHeights}},
        {u"2540", u"BARBED WIRE FENCE %1 STRAND", u"LF", {same({u"3", u"4", u"5"})}},
        {u"2540",
         u"%1 VEHICLE GATE",
         u"EACH",
         {pairs({{u"12 FT", u"3.6 M"}, {u"16 FT", u"4.8 M"}, {u"20 FT", u"6 M"}})}},
        {u"2540", u"WALK GATE", u"EACH"},
        {u"2540", u"REMOVE AND REINSTALL FENCE", u"LF"},
        {u"2540", u"TEMPORARY FENCE", u"LF"},
        {u"2540", u"SNOW FENCE", u"LF"},

        {u"2550", u"MOBILIZATION", u"LS"},
        {u"2550", u"FIELD OFFICE TYPE %1", u"EACH", {letters4}},
        {u"2550", u"FIELD LABORATORY TYPE %1", u"EACH", {same({u"A", u"B", u"C"})}},
        {u"2550", u"CONSTRUCTION SURVEYING", u"LS"},
        {u"2550", u"CONSTRUCTION STAKING", u"LS"},
        {u"2550", u"PROJECT SCHEDULING", u"LS"},
        {u"2550", u"PARTNERING", u"LS"},
        {u"2550", u"CONTRACTOR QUALITY CONTROL", u"LS"},
        {u"2550", u"RAILROAD PROTECTIVE INSURANCE", u"LS"},
        {u"2550", u"ON-THE-JOB TRAINEE", u"HR"},

        {u"2565",
         u"%1 RENTAL",
         u"HR",
         {same({u"CRAWLER DOZER", u"MOTOR GRADER", u"HYDRAULIC EXCAVATOR", u"FRONT END LOADER",
                u"BACKHOE LOADER", u"SKID STEER LOADER", u"TANDEM DUMP TRUCK", u"WATER TRUCK",
                u"VIBRATORY ROLLER", u"PNEUMATIC ROLLER", u"AIR COMPRESSOR", u"STREET SWEEPER",
                u"HYDRAULIC CRANE", u"TRENCH BOX", u"LIGHT PLANT"})}},
        {u"2565",
         u"%1 RENTAL WITH OPERATOR",
         u"HR",
         {same({u"CRAWLER DOZER", u"MOTOR GRADER", u"HYDRAULIC EXCAVATOR", u"FRONT END LOADER",
                u"BACKHOE LOADER", u"SKID STEER LOADER", u"TANDEM DUMP TRUCK", u"WATER TRUCK",
                u"VIBRATORY ROLLER", u"STREET SWEEPER", u"HYDRAULIC CRANE"})}},
        {u"2565", u"COMMON LABORER", u"HR"},
        {u"2565", u"SKILLED LABORER", u"HR"},
        {u"2565", u"EQUIPMENT OPERATOR", u"HR"},

        {u"2599", u"FORCE ACCOUNT WORK", u"LS"},
        {u"2599", u"SPECIAL ITEM PER EACH (DESCRIBE)", u"EACH"},
        {u"2599",
         u"SPECIAL ITEM PER LINEAR FOOT (DESCRIBE)",
         u"LF",
         {},
         u"SPECIAL ITEM PER METER (DESCRIBE)"},
        {u"2599",
         u"SPECIAL ITEM PER SQUARE YARD (DESCRIBE)",
         u"SY",
         {},
         u"SPECIAL ITEM PER SQUARE METER (DESCRIBE)"},
        {u"2599",
         u"SPECIAL ITEM PER TON (DESCRIBE)",
         u"TON",
         {},
         u"SPECIAL ITEM PER TONNE (DESCRIBE)"},
        {u"2599", u"SPECIAL ITEM PER HOUR (DESCRIBE)", u"HR"},
        // The free-text item: the designer writes its description into the project.
        {u"2599", u"SPECIAL ITEM (DESCRIBE)", u"LS", {}, nullptr, u"2599-9999"},

        // 26 traffic control and safety
        {u"2601", u"TRAFFIC CONTROL", u"LS"},
        {u"2601", u"TRAFFIC CONTROL SUPERVISOR", u"LS"},
        {u"2601", u"FLAGGER", u"HR"},
        {u"2601", u"PILOT CAR", u"HR"},
        {u"2601", u"TEMPORARY TRAFFIC SIGNAL SYSTEM", u"LS"},
        {u"2601", u"TEMPORARY PAVEMENT MARKING", u"LF"},
        {u"2601", u"TEMPORARY RAISED PAVEMENT MARKER", u"EACH"},
        {u"2601", u"DETOUR SIGNING", u"LS"},
        {u"2601", u"UNIFORMED POLICE OFFICER", u"HR"},

        {u"2602",
         u"%1",
         u"EACH",
         {same({u"TRAFFIC DRUM", u"TYPE III BARRICADE", u"VERTICAL PANEL", u"TALL CHANNELIZER",
                u"FLASHING ARROW PANEL", u"PORTABLE CHANGEABLE MESSAGE SIGN",
                u"PORTABLE RUMBLE STRIP SET", u"SEQUENTIAL WARNING LIGHTS"})}},
        {u"2602", u"CONSTRUCTION SIGNS", u"SF"},
        {u"2602", u"TEMPORARY CONCRETE BARRIER", u"LF"},
        {u"2602", u"RELOCATE TEMPORARY CONCRETE BARRIER", u"LF"},
        {u"2602", u"TRUCK MOUNTED ATTENUATOR", u"HR"},
        {u"2602", u"TEMPORARY CRASH CUSHION", u"EACH"},

        {u"2605", u"STEEL BEAM GUARDRAIL TYPE %1", u"LF", {same({u"A", u"B", u"C"})}},
        {u"2605", u"GUARDRAIL END TREATMENT TYPE %1", u"EACH", {same({u"1", u"2", u"3", u"4"})}},
        {u"2605", u"GUARDRAIL END ANCHORAGE TYPE %1", u"EACH", {same({u"1", u"2"})}},
        {u"2605", u"GUARDRAIL TRANSITION", u"EACH"},
        {u"2605", u"CABLE MEDIAN BARRIER", u"LF"},
        {u"2605", u"CABLE BARRIER END TERMINAL", u"EACH"},
        {u"2605", u"REMOVE AND REINSTALL GUARDRAIL", u"LF"},
        {u"2605", u"GUARDRAIL POST REPLACEMENT", u"EACH"},

        {u"2606", u"%1 CONCRETE MEDIAN BARRIER", u"LF", {inches({32, 42, 56})}},
        {u"2606", u"%1 SINGLE SLOPE BARRIER", u"LF", {inches({42, 56})}},
        {u"2606", u"CONCRETE BARRIER TRANSITION", u"EACH"},
        {u"2606", u"PRECAST CONCRETE BARRIER", u"LF"},
        {u"2606", u"GLARE SCREEN", u"LF"},

        {u"2608", u"CRASH CUSHION TYPE %1", u"EACH", {letters4}},
        {u"2608", u"SAND BARREL ARRAY", u"EACH"},
        {u"2608", u"CRASH CUSHION REPAIR KIT", u"EACH"},

        // 27 signing and pavement marking
        {u"2701",
         u"SIGN PANELS TYPE %1",
         u"SF",
         {same({u"A", u"B", u"C", u"D", u"OH", u"SPECIAL"})}},
        {u"2701", u"STREET NAME SIGN", u"EACH"},
        {u"2701", u"RELOCATE SIGN", u"EACH"},
        {u"2701", u"SIGN OVERLAY", u"SF"},

        {u"2702",
         u"SQUARE TUBE SIGN POST %1",
         u"LF",
         {pairs({{u"2 INCH", u"50 MM"}, {u"2\u00BD INCH", u"65 MM"}})}},
        {u"2702", u"U-CHANNEL SIGN POST", u"LF"},
        {u"2702",
         u"WOOD SIGN POST %1",
         u"LF",
         {pairs({{u"4X4 INCH", u"100X100 MM"},
                 {u"4X6 INCH", u"100X150 MM"},
                 {u"6X6 INCH", u"150X150 MM"}})}},
        {u"2702", u"STEEL PIPE SIGN POST %1", u"LF", {inches({2, 3})}},
        {u"2702",
         u"OVERHEAD SIGN STRUCTURE %1",
         u"EACH",
         {same({u"(BRIDGE)", u"(CANTILEVER)", u"(BUTTERFLY)"})}},
        {u"2702", u"SIGN STRUCTURE FOOTING", u"EACH"},
        {u"2702", u"BREAKAWAY BASE ASSEMBLY", u"EACH"},

        {u"2703", u"DELINEATOR TYPE %1", u"EACH", {same({u"1", u"2", u"3"})}},
        {u"2703", u"OBJECT MARKER TYPE %1", u"EACH", {same({u"1", u"2", u"3"})}},
        {u"2703", u"MILEPOST MARKER", u"EACH", {}, u"KILOMETER POST MARKER"},
        {u"2703", u"SNOWPLOW MARKER", u"EACH"},
        {u"2703", u"RIGHT OF WAY MARKER", u"EACH"},
        {u"2703", u"CULVERT MARKER", u"EACH"},
        {u"2703", u"SURVEY MONUMENT TYPE %1", u"EACH", {same({u"A", u"B"})}},

        {u"2704",
         u"%1 %2 LINE %3 %4",
         u"LF",
         {inches({4, 6, 8, 12, 24}), same({u"SOLID", u"BROKEN", u"DOTTED", u"DOUBLE"}),
          same({u"WHITE", u"YELLOW"}), markingMaterials}},
        {u"2704", u"PAVEMENT MARKING REMOVAL", u"LF"},
        {u"2704", u"GROOVING FOR PAVEMENT MARKING", u"LF"},
        {u"2704", u"RAISED PAVEMENT MARKER TYPE %1", u"EACH", {same({u"A", u"B", u"C"})}},
        {u"2704", u"CROSSWALK MARKING %1", u"SF", {markingMaterials}},

        {u"2705",
         u"PAVEMENT MESSAGE (%1) %2",
         u"EACH",
         {same({u"LEFT ARROW", u"RIGHT ARROW", u"THRU ARROW", u"ONLY", u"STOP", u"BIKE SYMBOL",
                u"SCHOOL", u"BUS ONLY"}),
          markingMaterials}},
        {u"2705", u"%1 STOP LINE %2", u"LF", {inches({12, 24}), markingMaterials}},

        // 28 lighting and signals
        {u"2801", u"LIGHTING UNIT TYPE %1", u"EACH", {same({u"A", u"B", u"C", u"D", u"E"})}},
        {u"2801",
         u"LIGHT POLE %1",
         u"EACH",
         {pairs({{u"30 FT", u"9 M"}, {u"40 FT", u"12 M"}, {u"49 FT", u"15 M"}})}},
        {u"2801", u"LED LUMINAIRE %1", u"EACH", {same({u"TYPE II", u"TYPE III", u"TYPE V"})}},
        {u"2801", u"LIGHT POLE FOUNDATION %1", u"EACH", {same({u"TYPE A", u"TYPE B"})}},
        {u"2801", u"RELOCATE LIGHTING UNIT", u"EACH"},
        {u"2801", u"LIGHTING SERVICE CABINET", u"EACH"},
        {u"2801", u"TEMPORARY LIGHTING SYSTEM", u"LS"},

        {u"2802", u"%1 RIGID STEEL CONDUIT", u"LF", {conduitSizes}},
        {u"2802", u"%1 NONMETALLIC CONDUIT", u"LF", {conduitSizes}},
        {u"2802", u"%1 HDPE CONDUIT BORED", u"LF", {conduitSizes}},
        {u"2802",
         u"UNDERGROUND WIRE %1 CONDUCTOR %2",
         u"LF",
         {same({u"1", u"2", u"3"}), pairs({{u"NO. 10", u"6 MM\u00B2"},
                                           {u"NO. 8", u"10 MM\u00B2"},
                                           {u"NO. 6", u"16 MM\u00B2"},
                                           {u"NO. 4", u"25 MM\u00B2"},
                                           {u"NO. 2", u"35 MM\u00B2"}})}},
        {u"2802", u"HANDHOLE TYPE %1", u"EACH", {same({u"A", u"B", u"C"})}},
        {u"2802", u"EQUIPMENT PAD", u"EACH"},
        {u"2802",
         u"FIBER OPTIC CABLE %1 STRAND",
         u"LF",
         {same({u"12", u"24", u"48", u"96", u"144"})}},
        {u"2802", u"TRACER WIRE", u"LF"},

        {u"2803", u"TRAFFIC CONTROL SIGNAL SYSTEM", u"LS"},
        {u"2803", u"REVISE SIGNAL SYSTEM", u"LS"},
        {u"2803",
         u"SIGNAL MAST ARM POLE %1",
         u"EACH",
         {pairs({{u"20 FT ARM", u"6 M ARM"},
                 {u"30 FT ARM", u"9 M ARM"},
                 {u"40 FT ARM", u"12 M ARM"},
                 {u"50 FT ARM", u"15 M ARM"}})}},
        {u"2803", u"SIGNAL PEDESTAL", u"EACH"},
        {u"2803",
         u"SIGNAL HEAD %1",
         u"EACH",
         {same({u"3 SECTION", u"4 SECTION", u"5 SECTION", u"PEDESTRIAN"})}},
        {u"2803", u"PEDESTRIAN PUSH BUTTON STATION", u"EACH"},
        {u"2803", u"ACCESSIBLE PEDESTRIAN SIGNAL", u"EACH"},
        {u"2803", u"EMERGENCY VEHICLE PREEMPTION", u"LS"},
        {u"2803", u"SIGNAL CABINET AND CONTROLLER", u"EACH"},
        {u"2803", u"BATTERY BACKUP SYSTEM", u"EACH"},
        {u"2803", u"SIGNAL POLE FOUNDATION %1", u"EACH", {same({u"TYPE A", u"TYPE B", u"TYPE C"})}},

        {u"2804",
         u"LOOP DETECTOR %1",
         u"EACH",
         {pairs({{u"6X6 FT", u"1.8X1.8 M"}, {u"6X30 FT", u"1.8X9 M"}, {u"6X50 FT", u"1.8X15 M"}})}},
        {u"2804", u"VIDEO DETECTION SYSTEM", u"EACH"},
        {u"2804", u"RADAR DETECTION SYSTEM", u"EACH"},
        {u"2804", u"CCTV CAMERA ASSEMBLY", u"EACH"},
        {u"2804", u"TRAFFIC COUNT STATION", u"EACH"},
        {u"2804", u"WEIGH IN MOTION SENSOR", u"EACH"},
        {u"2804", u"DYNAMIC MESSAGE SIGN", u"EACH"},

        // 29 erosion control and landscaping
        {u"2901",
         u"EROSION CONTROL BLANKET CATEGORY %1",
         u"SY",
         {same({u"1", u"2", u"3", u"4", u"5"})}},
        {u"2901", u"TEMPORARY SEEDING", u"ACRE"},
        {u"2901", u"TEMPORARY MULCH", u"TON"},
        {u"2901", u"HYDRAULIC STABILIZED FIBER MATRIX", u"LB"},
        {u"2901", u"EROSION CONTROL SUPERVISOR", u"LS"},
        {u"2901", u"TURF REINFORCEMENT MAT CATEGORY %1", u"SY", {same({u"1", u"2", u"3"})}},
        {u"2901", u"SLOPE ROUGHENING", u"SY"},

        {u"2902",
         u"SILT FENCE TYPE %1",
         u"LF",
         {same({u"MACHINE SLICED", u"HEAVY DUTY", u"PREASSEMBLED"})}},
        {u"2902",
         u"SEDIMENT CONTROL LOG TYPE %1",
         u"LF",
         {same({u"WOOD FIBER", u"COMPOST", u"ROCK", u"STRAW"})}},
        {u"2902", u"FLOATING SILT CURTAIN %1", u"LF", {same({u"STILL WATER", u"MOVING WATER"})}},
        {u"2902", u"STORM DRAIN INLET PROTECTION", u"EACH"},
        {u"2902", u"ROCK CONSTRUCTION ENTRANCE", u"EACH"},
        {u"2902", u"TEMPORARY SEDIMENT BASIN", u"EACH"},
        {u"2902", u"DITCH CHECK TYPE %1", u"LF", {same({u"1", u"2", u"3"})}},
        {u"2902", u"SEDIMENT REMOVAL", u"CY"},
        {u"2902", u"DEWATERING", u"LS"},

        {u"2903", u"SEEDING", u"ACRE"},
        {u"2903", u"SEED MIXTURE %1", u"LB", {same({u"A", u"B", u"C", u"D", u"E", u"F"})}},
        {u"2903", u"FERTILIZER TYPE %1", u"LB", {same({u"1", u"2", u"3"})}},
        {u"2903", u"MULCH MATERIAL TYPE %1", u"TON", {same({u"1", u"3", u"6", u"8"})}},
        {u"2903", u"HYDRAULIC MULCH MATRIX", u"LB"},
        {u"2903", u"SODDING TYPE %1", u"SY", {same({u"LAWN", u"SALT RESISTANT"})}},
        {u"2903", u"TOPSOIL BORROW", u"CY"},
        {u"2903", u"SALVAGE AND SPREAD TOPSOIL", u"CY"},
        {u"2903", u"COMPOST GRADE %1", u"CY", {same({u"1", u"2"})}},
        {u"2903", u"WATER FOR TURF ESTABLISHMENT", u"MGAL"},
        {u"2903", u"DISK ANCHORING", u"ACRE"},

        {u"2904",
         u"DECIDUOUS TREE %1 CAL B&B",
         u"EACH",
         {pairs({{u"1\u00BD INCH", u"40 MM"},
                 {u"2 INCH", u"50 MM"},
                 {u"2\u00BD INCH", u"65 MM"},
                 {u"3 INCH", u"75 MM"}})}},
        {u"2904",
         u"ORNAMENTAL TREE %1 CAL B&B",
         u"EACH",
         {pairs({{u"1\u00BD INCH", u"40 MM"}, {u"2 INCH", u"50 MM"}})}},
        {u"2904", u"CONIFEROUS TREE %1 HT B&B", u"EACH", {fenceHeights}},
        {u"2904", u"DECIDUOUS SHRUB %1 CONT", u"EACH", {containers}},
        {u"2904", u"CONIFEROUS SHRUB %1 CONT", u"EACH", {containers}},
        {u"2904", u"PERENNIAL %1 CONT", u"EACH", {pairs({{u"1 QT", u"1 L"}, {u"1 GAL", u"4 L"}})}},
        {u"2904", u"SHREDDED HARDWOOD MULCH", u"CY"},
        {u"2904", u"ROCK MULCH", u"CY"},
        {u"2904", u"PLANT BED PREPARATION", u"SY"},
        {u"2904", u"LANDSCAPE EDGING", u"LF"},
        {u"2904", u"PLANT MAINTENANCE", u"LS"},
        {u"2904", u"TREE WATERING", u"MGAL"},
    };
}

QString metricUnit(const QString& english) {
    static const QHash<QString, QString> units = {
        {u"LS"_s, u"LS"_s}, {u"EACH"_s, u"EACH"_s}, {u"HR"_s, u"HR"_s},   {u"CY"_s, u"M3"_s},
        {u"SY"_s, u"M2"_s}, {u"SF"_s, u"M2"_s},     {u"LF"_s, u"M"_s},    {u"TON"_s, u"T"_s},
        {u"LB"_s, u"KG"_s}, {u"GAL"_s, u"L"_s},     {u"ACRE"_s, u"HA"_s}, {u"MGAL"_s, u"M3"_s},
    };
    const auto it = units.constFind(english);
    if (it == units.cend()) {
        throw std::logic_error("unknown unit " + english.toStdString());
    }
    return *it;
}

// Replaces %1 .. %9 by the values; QString::arg would also rewrite a "%" inside a value.
QString fill(QStringView pattern, const std::vector<QString>& values) {
    QString text;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'%' && i + 1 < pattern.size() && pattern[i + 1].isDigit()) {
            const int index = pattern[i + 1].digitValue() - 1;
            if (index < 0 || index >= int(values.size())) {
                throw std::logic_error("placeholder without a value in " +
                                       pattern.toString().toStdString());
            }
            text += values[index];
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

// Encodes a description, unit or title, refusing what the fixed columns or the code page
// cannot hold rather than cutting it or writing '?'.
QByteArray encodeChecked(const QString& text, int maxLength, const QString& context) {
    const auto fail = [&](const char* why) {
        throw std::logic_error(std::string(why) + ": " + context.toStdString());
    };
    if (text.isEmpty() || text.size() > maxLength) {
        fail("text empty or too long");
    }
    if (text.front() == u' ' || text.back() == u' ' || text.contains(u"  ")) {
        fail("stray blanks");
    }
    if (text != text.toUpper()) {
        fail("not upper case");
    }
    const QByteArray bytes = textcodec::encode(text);
    if (textcodec::decode(bytes) != text) {
        fail("character outside Windows-1252");
    }
    return bytes;
}

QByteArray field(const QString& text, int width, const QString& context) {
    return encodeChecked(text, width, context).leftJustified(width, ' ');
}

}  // namespace

const Catalogue& Catalogue::instance() {
    static const Catalogue catalogue;
    return catalogue;
}

Catalogue::Catalogue() {
    buildHeadings();
    buildEntries();
    checkCoverage();
}

void Catalogue::buildHeadings() {
    QSet<QByteArray> sections;
    QByteArray previous;
    for (const HeadingText& row : headingTable()) {
        const QString code = QString::fromUtf16(row.code);
        Heading heading;
        heading.code = code.toLatin1();
        heading.title = encodeChecked(QString::fromUtf16(row.title), kDescriptionWidth, code);
        heading.isSection = heading.code.endsWith("00");
        const bool fourDigits =
            heading.code.size() == 4 && std::all_of(heading.code.cbegin(), heading.code.cend(),
                                                    [](char c) { return c >= '0' && c <= '9'; });
        if (!fourDigits || heading.code <= previous) {
            throw std::logic_error("heading codes must be four digits, ascending: " +
                                   heading.code.toStdString());
        }
        if (headings_.empty() && !heading.isSection) {
            throw std::logic_error("the category file must begin with a section");
        }
        if (heading.isSection) {
            sections.insert(heading.code.left(2));
        } else if (!sections.contains(heading.code.left(2))) {
            throw std::logic_error("category outside its section: " + heading.code.toStdString());
        }
        previous = heading.code;
        headings_.push_back(heading);
    }
}

void Catalogue::buildEntries() {
    QHash<QByteArray, int> headingIndex;
    for (int i = 0; i < int(headings_.size()); ++i) {
        if (!headings_[i].isSection) {
            headingIndex.insert(headings_[i].code, i);
        }
    }

    QByteArray category;
    int templateInCategory = 0;
    for (const Template& family : itemTemplates()) {
        const QByteArray code = QString::fromUtf16(family.category).toLatin1();
        if (!headingIndex.contains(code)) {
            throw std::logic_error("item in an unknown category: " + code.toStdString());
        }
        templateInCategory = code == category ? templateInCategory + 1 : 1;
        category = code;

        const QString english = QString::fromUtf16(family.english);
        const QString metric = family.metric ? QString::fromUtf16(family.metric) : english;
        const QString unit = QString::fromUtf16(family.unit);
        const QByteArray unitBytes[2] = {field(unit, kUnitWidth, english),
                                         field(metricUnit(unit), kUnitWidth, english)};

        std::size_t combinations = 1;
        for (const Axis& axis : family.axes) {
            combinations *= axis.size();
        }
        for (std::size_t combination = 0; combination < combinations; ++combination) {
            // Mixed-radix digits of the combination, the last axis varying fastest.
            std::vector<QString> englishValues(family.axes.size());
            std::vector<QString> metricValues(family.axes.size());
            std::size_t rest = combination;
            for (std::size_t a = family.axes.size(); a-- > 0;) {
                const Choice& choice = family.axes[a][rest % family.axes[a].size()];
                rest /= family.axes[a].size();
                englishValues[a] = choice.english;
                metricValues[a] = choice.metric;
            }
            const QString englishText = fill(english, englishValues);
            const QString metricText = fill(metric, metricValues);

            Entry entry;
            entry.heading = headingIndex.value(code);
            entry.english = field(englishText, kDescriptionWidth, englishText) + unitBytes[0];
            entry.metric = field(metricText, kDescriptionWidth, metricText) + unitBytes[1];
            entry.hasPipe = englishText.contains(u"PIPE");
            if (entry.hasPipe != metricText.contains(u"PIPE")) {
                throw std::logic_error("PIPE in one unit system only: " +
                                       englishText.toStdString());
            }
            if (family.number) {
                // Free-text numbers sort after every generated number of their category, so
                // the large lists can append them without reordering.
                entry.number = QString::fromUtf16(family.number).toLatin1();
                entry.fixedNumber = true;
                if (!entry.number.startsWith(code + "-9") || !family.axes.empty()) {
                    throw std::logic_error("bad fixed item number " + entry.number.toStdString());
                }
            } else {
                if (templateInCategory > 99 || combination >= 999) {
                    throw std::logic_error("too many items in category " + code.toStdString());
                }
                entry.number =
                    code + '-' +
                    QByteArray::number(templateInCategory * 10).rightJustified(3, '0') +
                    QByteArray::number(qulonglong(combination + 1) * 10).rightJustified(4, '0');
            }
            entry.number = entry.number.leftJustified(kNumberWidth, ' ');
            if (!entries_.empty() && entry.number <= entries_.back().number) {
                throw std::logic_error("item numbers out of order at " +
                                       entry.number.toStdString());
            }
            entries_.push_back(entry);
        }
    }
}

// Every category needs items, and one that is not a fixed free-text number and has no PIPE:
// the large lists spread the bulk of their rows over those and must reach every category.
void Catalogue::checkCoverage() const {
    std::vector<int> plainItems(headings_.size(), 0);
    for (const Entry& entry : entries_) {
        if (!entry.fixedNumber && !entry.hasPipe) {
            ++plainItems[entry.heading];
        }
    }
    for (std::size_t i = 0; i < headings_.size(); ++i) {
        if (!headings_[i].isSection && plainItems[i] == 0) {
            throw std::logic_error("category without plain items: " +
                                   headings_[i].code.toStdString());
        }
    }
}

}  // namespace veskplan::sampledata
