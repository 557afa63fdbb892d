// Shared ownership of the library's non-object parts (readers, parsers,
// loaders, stores): a plain std::shared_ptr.
#pragma once

#include <memory>

namespace zpdf {

template <typename T>
using SharedRef = std::shared_ptr<T>;

} // namespace zpdf
