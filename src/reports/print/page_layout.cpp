#include "reports/print/page_layout.h"

#include <algorithm>

#include <QPainter>
#include <QPaintDevice>

namespace reports::print {

PageLayout::PageLayout(BandSource& source, const ReportText& text)
    : source_(source), text_(text), records_(source.recordCount()), complete_(records_ == 0), summary_(source.summary())
{
}

bool PageLayout::hasPage(std::size_t index)
{
    while (index >= starts_.size() && !complete_) {
        const Position start = next_;
        next_ = walkPage(start, starts_.size() + 1, {});
        starts_.push_back(start);
        complete_ = atEnd(next_);
    }
    return index < starts_.size();
}

std::size_t PageLayout::pageCount()
{
    while (!complete_)
        hasPage(starts_.size());
    return starts_.size();
}

const std::vector<ReportBand>& PageLayout::bandsOf(std::size_t record)
{
    if (record != bandsRecord_) {
        bands_.clear();
        if (record < records_)
            source_.bandsOf(record, bands_);
        else
            bands_.push_back(summary_);
        bandsRecord_ = record;
    }
    return bands_;
}

PageLayout::Position PageLayout::walkPage(Position at, std::size_t number, const Visit& visit)
{
    int y = 0;
    header_ = source_.pageHeader(number);
    if (header_) {
        if (visit)
            visit({&*header_, 0, 0, 0});
        y = header_->height;
    }
    const int bodyTop = y;
    const int spacing = text_.lineSpacing();
    while (!atEnd(at)) {
        const std::vector<ReportBand>& bands = bandsOf(at.record);
        if (at.band >= bands.size()) {
            at = {at.record + 1, 0, 0};
            continue;
        }
        const ReportBand& band = bands[at.band];
        const std::size_t lineCount = band.lines.size();
        const int height = at.line == 0 ? band.height
                                        : 2 * band.linesTop + static_cast<int>(lineCount - at.line) * spacing;
        if (y + height <= kPrintingHeight) {
            if (visit)
                visit({&band, y, at.line, lineCount});
            y += height;
            at = {at.record, at.band + 1, 0};
            continue;
        }
        if (y > bodyTop)
            break;
        // Taller than a whole page: as many lines as fit, at least one, so
        // that every page moves the report on.
        const int room = kPrintingHeight - y - 2 * band.linesTop;
        const std::size_t fit = static_cast<std::size_t>(std::max(1, room / spacing));
        const std::size_t end = std::min(lineCount, at.line + fit);
        if (visit)
            visit({&band, y, at.line, end});
        at = end < lineCount ? Position{at.record, at.band, end} : Position{at.record, at.band + 1, 0};
        break;
    }
    return at;
}

void PageLayout::draw(QPainter& painter, std::size_t index)
{
    if (!hasPage(index))
        return;
    painter.save();
    const double scale = painter.device()->width() / static_cast<double>(kPaperWidth);
    painter.scale(scale, scale);
    painter.translate(kMargin, kMargin);
    painter.setFont(text_.font());
    painter.setPen(Qt::black);
    walkPage(starts_[index], index + 1, [&](const PlacedBand& placed) { drawBand(painter, placed); });
    painter.restore();
}

void PageLayout::visit(std::size_t index, const Visit& visit)
{
    if (hasPage(index))
        walkPage(starts_[index], index + 1, visit);
}

void PageLayout::drawBand(QPainter& painter, const PlacedBand& placed) const
{
    const ReportBand& band = *placed.band;
    const int ascent = text_.ascent();
    if (placed.firstLine == 0) {
        for (const BandText& label : band.texts) {
            const double x = label.alignRight ? label.x - text_.width(label.text) : label.x;
            painter.drawText(QPointF(x, placed.top + label.y + ascent), label.text);
        }
    }
    int y = placed.top + band.linesTop + ascent;
    for (std::size_t i = placed.firstLine; i < placed.endLine; ++i, y += text_.lineSpacing())
        painter.drawText(QPointF(band.linesX, y), band.lines[i]);
}

}  // namespace reports::print
