#include "message.h"

#include <QDebug>

namespace
{
    Message::BoxHandler &handler()
    {
        static Message::BoxHandler fn;
        return fn;
    }

    Message::Question &question()
    {
        static Message::Question fn;
        return fn;
    }

    Message::Handler &poster()
    {
        static Message::Handler fn;
        return fn;
    }
}

void Message::show(const QString &text, Kind kind)
{
    if (handler())
        handler()(text, kind);
    else
        qWarning().noquote() << text;
}

void Message::setHandler(Handler handler)
{
    if (!handler)
    {
        ::handler() = {};
        return;
    }
    ::handler() = [handler = std::move(handler)](const QString &text, Kind) { handler(text); };
}

void Message::setBoxHandler(BoxHandler handler)
{
    ::handler() = std::move(handler);
}

bool Message::ask(const QString &text)
{
    if (question())
        return question()(text);
    qWarning().noquote() << text;
    return false;
}

void Message::setQuestionHandler(Question question)
{
    ::question() = std::move(question);
}

void Message::post(const QString &text)
{
    if (poster())
        poster()(text);
    else
        show(text);
}

void Message::setPostHandler(Handler handler)
{
    poster() = std::move(handler);
}
