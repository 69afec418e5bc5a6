#include "windows/version_window.h"

#include "base/desktop.h"
#include "ui/definitions.h"
#include "ui/toolkit.h"
#include "web/web_access.h"
#include "windows/urls.h"

void open_version_window() { show_modal(kVersionWindow); }

Text fetch_latest_version(std::string_view url) { return text_of(web_access(url)); }

void check_for_update() {
    const Text latest = fetch_latest_version(kUpdateUrl);
    set_caption(kVersionWindow, "标签6", latest);
    const Text current = caption_of(kVersionWindow, "标签4");
    set_visible(kVersionWindow, "按钮2", compare_texts(latest, current) != 0);
}

void open_home_page() { open_in_browser(kHomePageUrl); }

void ignore_version_created() {}
