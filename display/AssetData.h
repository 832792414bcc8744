#pragma once

#include <map>
#include <string>

namespace gfx {

enum class AssetType { BINARY, FONT, IMAGE, MUSIC, SOUND, TEXT };

// The table of the program's packaged files: which asset ids exist, where
// each file lies (relative to the working directory) and what kind it is.
class AssetData {
public:
    static inline std::map<std::string, std::string> path;
    static inline std::map<std::string, AssetType> type;
    static inline std::map<std::string, std::string> library;

    // Fills the table once; later calls do nothing.
    static void initialize();

private:
    static inline bool initialized_ = false;
};

}  // namespace gfx
