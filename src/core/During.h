// Marks a scope: the flag is true for the length of the scope and gets its
// earlier value back at its end.
#pragma once

namespace tavlo::core {

class During {
public:
    explicit During(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~During() { flag_ = before_; }
    During(const During&) = delete;
    During& operator=(const During&) = delete;

private:
    bool& flag_;
    bool before_;
};

}  // namespace tavlo::core
