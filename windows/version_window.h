// The version window: opening it, the update check and the hand-off to the home page.
#pragma once

#include <string_view>

#include "base/values.h"

// Handler of the main window's 按钮3 "版本信息": the version window, modally.
void open_version_window();
// Handler of 按钮3 "检查更新": shows the published version in 标签6 and 按钮2 "查看更新"
// exactly when it differs from the running version in 标签4.
void check_for_update();
// The body fetched from the URL as a Text; empty when the request failed.
Text fetch_latest_version(std::string_view url);
// Handler of 按钮2 "查看更新": the home page in the system's browser.
void open_home_page();
// The version window's created event has no work to do.
void ignore_version_created();
