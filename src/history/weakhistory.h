#pragma once

#include <QDate>

#include "practice/weakwords.h"

class HistoryStore;

// The weak words of the bank and direction in use, from the study history.
// A word is known by its prompt and answer: a question kept under a bank
// index that now holds another word is matched to the word it was, and
// left out when the bank no longer has it.
namespace WeakHistory
{
    WeakWords load(HistoryStore &store, const QDate &today);
}
