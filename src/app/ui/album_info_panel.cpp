#include "app/ui/album_info_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/ui/named_colours.h"

namespace app::ui {
namespace {

QLabel* label(const QString& name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QLabel* value(const QString& name, QWidget* parent)
{
    QLabel* l = label(name, QString(), parent);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, common::ui::colour::kMaroon);
    l->setPalette(p);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance("MMMMMM"));
    return l;
}

QLabel* hint(const QString& name, const QString& text, const QString& tooltip, QWidget* parent)
{
    QLabel* l = label(name, text, parent);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, common::ui::colour::kGreen);
    l->setPalette(p);
    l->setToolTip(tooltip);
    return l;
}

}  // namespace

AlbumInfoPanel::AlbumInfoPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName("AlbumInfoPanel");
    setFrameShape(StyledPanel);
    year_ = value("YearText", this);
    media_ = value("MediaText", this);
    index_ = value("IndexText", this);
    play_ = new QToolButton(this);
    play_->setObjectName("PlayButton");
    play_->setIcon(QIcon::fromTheme("media-playback-start", style()->standardIcon(QStyle::SP_MediaPlay)));
    play_->setToolTip("Play playlist tracks or audio files");

    auto* hints = new QVBoxLayout;
    hints->setSpacing(0);
    hints->addWidget(hint("PlayHint", "To hear Playlist, click on Play button",
                          "Will play all tracks if there are no marked tracks", this));
    hints->addWidget(hint("TrackHint", "To hear any track, dbl-click on track",
                          "Dbl-click a track to play it and all following tracks", this));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    row->addWidget(label("YearLabel", "Year", this));
    row->addWidget(year_);
    row->addWidget(label("MediaLabel", "Media:", this));
    row->addWidget(media_);
    row->addWidget(label("IndexLabel", "Index:", this));
    row->addWidget(index_);
    row->addStretch(1);
    row->addLayout(hints);
    row->addWidget(play_);
}

void AlbumInfoPanel::showAlbum(const QString& year, const QString& media, const QString& index)
{
    year_->setText(year);
    media_->setText(media);
    index_->setText(index);
}

}  // namespace app::ui
