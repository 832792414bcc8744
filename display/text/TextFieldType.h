#pragma once

namespace gfx::text {

enum class TextFieldType { DYNAMIC, INPUT };

}  // namespace gfx::text
