#pragma once

#include <QWidget>

// A lowered line along the top edge of its box, as the tool bar shows above its buttons: the
// button shadow colour on the first pixel row and the highlight colour on the second.
class TBevel : public QWidget {
    Q_OBJECT
public:
    explicit TBevel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
