#include "pageopener.h"

#include <QDesktopServices>

namespace
{
    PageOpener::Handler &handler()
    {
        static PageOpener::Handler fn;
        return fn;
    }
}

bool PageOpener::open(const QUrl &url)
{
    return handler() ? handler()(url) : QDesktopServices::openUrl(url);
}

void PageOpener::setHandler(Handler handler)
{
    ::handler() = std::move(handler);
}
