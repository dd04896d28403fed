#pragma once

#include <QColor>

#include "core/emphasiscolor.h"

class QWidget;

// Gives a widget a white ground with black ink under any desktop theme, so
// that the pure red, blue and black the windows draw on it stay legible
// under a dark palette too. Children without colours of their own follow it.
void PaintAsSheet(QWidget *widget);

QColor colorOf(EmphasisColor color);
// The widget's text in that colour, whatever the theme's.
void SetTextColor(QWidget *widget, EmphasisColor color);
