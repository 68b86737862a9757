// SPDX-License-Identifier: MIT
#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include "link/shell.h"

namespace ostrel::Shell {

bool OpenHomePage(std::string_view file, std::string_view /*operation*/,
                  std::optional<std::string_view> /*parameters*/,
                  std::optional<std::string_view> /*directory*/, int /*showCommand*/) {
    const QUrl url =
        QUrl::fromUserInput(QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size())));
    if (!url.isValid()) {
        return false;
    }
    return QDesktopServices::openUrl(url);
}

}  // namespace ostrel::Shell
