#pragma once
// The search over the lane (Ctrl+F): a field and, above it, the colours that
// match what is typed (VQSearchColors), each as a swatch with its name and
// where it was found. Up and Down move through them, Return selects the one
// shown current (the first unless moved) and closes, a click selects, and
// Escape closes.

#include "core/VQColorSearch.h"

#include <QWidget>

#include <functional>

class QLineEdit;
class QListWidget;
class VQColorNames;
class VQSwatchCore;

class VQColorSearchPanel : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int kFieldHeight = 24;
    static constexpr int kRowHeight = 20;
    static constexpr int kShownRows = 8;

    // Searches `library` and `names`, which outlive the panel.
    VQColorSearchPanel(const VQSwatchCore &library, const VQColorNames &names, QWidget *parent = nullptr);

    // Shows the panel over the bottom of `area` (its parent's coordinates), with the field focused.
    void open(const QRect &area);
    void close();
    QLineEdit *field() const { return _field; }
    QListWidget *results() const { return _results; }
    const std::vector<VQColorSearchMatch> &matches() const { return _matches; }

  signals:
    void colorChosen(const VQColorRef &color);
    void closed();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

  private:
    void search(const QString &text);
    void choose(int row, bool andClose);
    void layOut();

    const VQSwatchCore &_library;
    const VQColorNames &_names;
    QLineEdit *_field = nullptr;
    QListWidget *_results = nullptr;
    std::vector<VQColorSearchMatch> _matches;
    QRect _area;
};
