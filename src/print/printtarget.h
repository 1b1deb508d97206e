#pragma once

#include <QPageLayout>
#include <functional>

class QPagedPaintDevice;

namespace veskplan {

// A printer the user has chosen, or a file standing in for one.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    // Lays the document out in `orientation`, drawing its pages with `render` (which may be
    // called more than once, for a preview), and sends it to the printer. False when the user
    // stopped before anything was printed.
    virtual bool print(QPageLayout::Orientation orientation,
                       const std::function<void(QPagedPaintDevice&)>& render) = 0;
};

}  // namespace veskplan
