#pragma once

#include <functional>
#include <utility>

namespace veskplan {

// Tells once, when the outermost of nested calls returns, that a tool's state changed: its view
// refreshes once for each thing the user did, not for each step of it.
class ChangeNotice {
public:
    ChangeNotice(int& depth, std::function<void()> tell) : depth_(depth), tell_(std::move(tell)) {
        ++depth_;
    }
    ~ChangeNotice() {
        if (--depth_ == 0) {
            tell_();
        }
    }
    ChangeNotice(const ChangeNotice&) = delete;
    ChangeNotice& operator=(const ChangeNotice&) = delete;

private:
    int& depth_;
    std::function<void()> tell_;
};

}  // namespace veskplan
