// PNG pictures through libpng.
#pragma once

#include <optional>

#include "data_source.h"
#include "output_size.h"

namespace imgdecmp {

// Decodes the PNG the source holds at the size the request gives; none
// for data that is damaged, cut short or beyond the limits.
std::optional<Picture> DecodePng(DataSource& source, const SizeRequest& request);

}  // namespace imgdecmp
