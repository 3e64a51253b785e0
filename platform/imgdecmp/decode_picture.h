// Telling the picture's format by its first bytes and decoding it.
#pragma once

#include <optional>

#include "data_source.h"
#include "output_size.h"

namespace imgdecmp {

// JPEG or PNG whatever the file is called; none for anything else.
std::optional<Picture> DecodePicture(DataSource& source, const SizeRequest& request);

}  // namespace imgdecmp
