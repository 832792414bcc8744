#include "display/Sys.h"

namespace gfx {

std::filesystem::path Sys::executablePath() { return std::filesystem::read_symlink("/proc/self/exe"); }

void Sys::setCwd(const std::filesystem::path& folder) { std::filesystem::current_path(folder); }

std::filesystem::path Sys::getCwd() { return std::filesystem::current_path(); }

}  // namespace gfx
