#include "openurl.h"

#include <QUrl>

#include "core/message.h"
#include "pageopener.h"

void OpenUrl(const QString &url, const QString &suffix)
{
    if (url.isEmpty())
    {
        Message::show(suffix.isEmpty() ? QStringLiteral("ＵＲＬが設定されていません")
                                       : QStringLiteral("パスが設定されていません"));
        return;
    }
    const QString address = url + suffix;
    if (!PageOpener::open(QUrl(address)))
        Message::show(QStringLiteral("ブラウザでページを開けませんでした。\n%1").arg(address));
}
