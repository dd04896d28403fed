#pragma once

#include <QString>

// Opens url + suffix in the learner's web browser. An empty url is told in a
// message, and so is a browser that cannot be started.
void OpenUrl(const QString &url, const QString &suffix);
