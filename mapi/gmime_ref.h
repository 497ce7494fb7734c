// GMime objects owned by a smart pointer: released with g_object_unref.
#pragma once

#include <gmime/gmime.h>

#include <memory>

namespace tuikit::mapi {

struct Unref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using Ref = std::unique_ptr<T, Unref>;

}  // namespace tuikit::mapi
