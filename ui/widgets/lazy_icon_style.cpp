#include "ui/widgets/lazy_icon_style.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

namespace velmora {

namespace {

class DeferredIconEngine final : public QIconEngine {
public:
    DeferredIconEngine(const QStyle* style, QStyle::StandardPixmap icon) : style_(style), which_(icon) {}

    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return made().availableSizes(mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return made().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return made().pixmap(size, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        made().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    bool isNull() override { return made().isNull(); }

private:
    const QIcon& made()
    {
        if (!done_ && style_)
            icon_ = style_->standardIcon(which_);
        done_ = true;
        return icon_;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    QIcon icon_;
    bool done_ = false;
};

}  // namespace

QIcon LazyIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    // With an option or a widget the answer may depend on them: made now.
    if (option)
        return QProxyStyle::standardIcon(icon, option, widget);
    return QIcon(new DeferredIconEngine(baseStyle(), icon));
}

}  // namespace velmora
