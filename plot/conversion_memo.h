#pragma once

// A field's number, converted once per text instead of at every read.

#include "numbers/result.h"
#include "plot/shared_text.h"

namespace kurvix {

// Remembers the conversion of the last text seen. Texts are immutable and
// held here, so an unchanged pointer means unchanged text: a field of a
// million characters is converted once, not at every read.
template <class T>
class ConversionMemo {
public:
    template <class Convert>
    const Result<T>& operator()(const SharedText& text, Convert&& convert)
    {
        if (text.get() != key_.get()) {
            value_ = convert(*text);
            key_ = text;
        }
        return value_;
    }

private:
    SharedText key_;
    Result<T> value_{Fault::NotANumber};
};

} // namespace kurvix
