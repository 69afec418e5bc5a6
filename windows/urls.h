// The two addresses the version window uses. Release builds carry this project's own;
// test builds set others through the build configuration.
#pragma once

#include <string_view>

// The plain-text file that holds the latest published version.
extern const std::string_view kUpdateUrl;
// The author's home page.
extern const std::string_view kHomePageUrl;
