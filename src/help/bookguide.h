#pragma once

#include <QDialog>

class ClickLabel;
class QFrame;
class QLabel;
class QPushButton;

// The sources of the standard bank's words, each with a picture and a title
// that open its page in the browser.
class BookGuide : public QDialog
{
    Q_OBJECT

public:
    explicit BookGuide(QWidget *owner = nullptr);

    QLabel *Label1 = nullptr;
    QLabel *Label5 = nullptr;
    QFrame *Picture1 = nullptr;
    QFrame *Picture2 = nullptr;
    QFrame *Picture3 = nullptr;
    ClickLabel *Image1 = nullptr;
    ClickLabel *Image2 = nullptr;
    ClickLabel *Image3 = nullptr;
    ClickLabel *Label2 = nullptr;
    ClickLabel *Label3 = nullptr;
    ClickLabel *Label4 = nullptr;
    QPushButton *OKButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void drawCovers();
    // The picture and the title of a book open the same page.
    void openBook(int book);
};
