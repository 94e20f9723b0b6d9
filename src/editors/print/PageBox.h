#pragma once

#include <QPixmap>
#include <QSize>
#include <QWidget>

#include <list>

class TPreviewPrinter;

// Renderings of the engine's pages at one size, kept while that size lasts, the least
// recently used dropped first when they outgrow their budget.
class TPageCache {
public:
    explicit TPageCache(const TPreviewPrinter& engine) : engine_(engine) {}

    // Page i rendered at size (device-independent pixels) for a screen of the given pixel
    // ratio; null when that rendering is too large to keep (the caller draws directly).
    const QPixmap* Rendering(int page, QSize size, qreal pixelRatio);
    bool Holds(int page) const;

    // A single rendering larger than this is not cached.
    static constexpr qint64 MaxRenderingBytes = 32LL * 1024 * 1024;
    static constexpr qint64 BudgetBytes = 96LL * 1024 * 1024;

private:
    struct TEntry {
        int Page;
        QPixmap Pixmap;
    };

    const TPreviewPrinter& engine_;
    QSize size_;
    qreal pixelRatio_ = 1.0;
    std::list<TEntry> entries_; // most recently used first
};

// Draws page i of the engine stretched into the whole box, each direction on its own, with
// the one-inch grid over it when asked.
void DrawPage(QPainter& painter, const TPreviewPrinter& engine, int page, QSize box);
void DrawInchGrid(QPainter& painter, const TPreviewPrinter& engine, QSize box);

// A page box (PB1, PB2): the white sheet showing one recorded page, or blank.
class TPageBox : public QWidget {
    Q_OBJECT

public:
    TPageBox(const TPreviewPrinter& engine, TPageCache& cache, QWidget* parent = nullptr);

    // -1 leaves the box blank.
    void SetPage(int page);
    int Page() const { return page_; }
    void SetGrid(bool grid);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TPreviewPrinter& engine_;
    TPageCache& cache_;
    int page_ = -1;
    bool grid_ = false;
};
