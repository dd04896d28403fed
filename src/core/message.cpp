#include "message.h"

#include <QDebug>

namespace
{
    Message::Handler &handler()
    {
        static Message::Handler fn;
        return fn;
    }
}

void Message::show(const QString &text)
{
    if (handler())
        handler()(text);
    else
        qWarning().noquote() << text;
}

void Message::setHandler(Handler handler)
{
    ::handler() = std::move(handler);
}
