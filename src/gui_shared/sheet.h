#pragma once

class QWidget;

// Gives a widget a white ground with black ink under any desktop theme, so
// that the pure red, blue and black the windows draw on it stay legible
// under a dark palette too. Children without colours of their own follow it.
void PaintAsSheet(QWidget *widget);
