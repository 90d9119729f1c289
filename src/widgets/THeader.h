#pragma once
// A column header with titled sections whose right edges the user drags to resize them.

#include <QString>
#include <QWidget>
#include <vector>

class THeader : public QWidget {
    Q_OBJECT
public:
    explicit THeader(QWidget *parent = nullptr);

    void addSection(const QString &title, int width);
    int sectionCount() const { return static_cast<int>(sections_.size()); }
    // Sections are counted from 0.
    QString sectionTitle(int index) const { return sections_[index].title; }
    int SectionWidth(int index) const { return sections_[index].width; }
    // Sets the width (never below 0) without firing sizing; returns the width taken.
    int setSectionWidth(int index, int width);
    std::vector<int> sectionWidths() const;

    QSize sizeHint() const override;

signals:
    // While the user drags a section edge, after each change of width.
    void sizing(int index, int width);
    // When the user lets go of a section edge.
    void sized(int index, int width);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    struct Section {
        QString title;
        int width;
    };
    // The section whose right edge is within grab distance of x, -1 when none.
    int edgeAt(int x) const;

    std::vector<Section> sections_;
    int dragged_ = -1;
    int dragOffset_ = 0;
};
