// SPDX-License-Identifier: MIT
// The page's one script, inline, which runs as the page's head is parsed:
// it loads the calculations (early.js), starts the page's worker from its
// code (worker.js), binds the controls (controls.js) and draws the
// background (background.js). The page's policy allows it by its
// integrity, which the site's build writes, and no other script.
#include <string>
#include <string_view>

#include "window/web/early_script.h"
#include "window/web/page.h"

namespace ostrel::web::page {

std::string Script() {
    std::string script = "'use strict';\n(() => {\nconst names = " + ScriptNames() + ";\n";
    for (const std::string_view part :
         {kCoreScript, kWorkerScript, kEarlyScript, kControlsScript, kBackgroundScript}) {
        script += part;
    }
    return script + "})();\n";
}

}  // namespace ostrel::web::page
