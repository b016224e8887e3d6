// Renders the generated pictures the way the program will see them, for checking by eye
// and for the one raster picture that is derived from a vector one (korvel.png).
//
//   svgrender png   IN.svg OUT.png SIZE            one SVG at SIZE x SIZE pixels
//   svgrender sheet OUT.png CELL COLUMNS BG FILE...  contact sheet with file names under
//                                                    each picture (SVG or any Qt image)
//   svgrender html  IN.html OUT.png WIDTH HEIGHT    a help page as the help viewer shows it
//
// Run with QT_QPA_PLATFORM=offscreen on a machine without a display.
#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextBrowser>
#include <QUrl>
#include <cstdio>

namespace {

QImage renderFile(const QString& path, int cell)
{
    QImage out(cell, cell, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (path.endsWith(QLatin1String(".svg"))) {
        QSvgRenderer r(path);
        if (!r.isValid()) {
            std::fprintf(stderr, "invalid SVG: %s\n", qPrintable(path));
            return {};
        }
        r.render(&p, QRectF(0, 0, cell, cell));
    } else {
        QImage img(path);
        if (img.isNull()) {
            std::fprintf(stderr, "cannot load: %s\n", qPrintable(path));
            return {};
        }
        // Raster pictures are magnified by whole steps so single pixels stay visible.
        const int step = qMax(1, cell / qMax(img.width(), img.height()));
        const QImage big = img.scaled(img.width() * step, img.height() * step);
        p.drawImage((cell - big.width()) / 2, (cell - big.height()) / 2, big);
    }
    return out;
}

int png(const QString& in, const QString& out, int size)
{
    const QImage img = renderFile(in, size);
    if (img.isNull() || !img.save(out, "PNG"))
        return 1;
    return 0;
}

int sheet(const QString& out, int cell, int columns, const QString& bg, const QStringList& files)
{
    const int labelH = 16;
    const int pad = 8;
    const int rows = (files.size() + columns - 1) / columns;
    QImage canvas(columns * (cell + pad) + pad, rows * (cell + labelH + pad) + pad,
                  QImage::Format_ARGB32_Premultiplied);
    canvas.fill(QColor(bg));
    QPainter p(&canvas);
    QFont f = p.font();
    f.setPixelSize(10);
    p.setFont(f);
    int bad = 0;
    for (int i = 0; i < files.size(); ++i) {
        const int x = pad + (i % columns) * (cell + pad);
        const int y = pad + (i / columns) * (cell + labelH + pad);
        const QImage img = renderFile(files[i], cell);
        if (img.isNull()) {
            ++bad;
            continue;
        }
        p.drawImage(x, y, img);
        p.setPen(QColor(bg).lightness() > 128 ? Qt::black : Qt::white);
        p.drawText(QRect(x - pad / 2, y + cell, cell + pad, labelH), Qt::AlignCenter,
                   QFileInfo(files[i]).completeBaseName());
    }
    p.end();
    return (canvas.save(out, "PNG") && bad == 0) ? 0 : 1;
}

int html(const QString& in, const QString& out, int w, int h)
{
    QTextBrowser b;
    b.resize(w, h);
    b.setSource(QUrl::fromLocalFile(QFileInfo(in).absoluteFilePath()));
    b.show();
    QApplication::processEvents();
    const QImage img = b.grab().toImage();
    return img.save(out, "PNG") ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() >= 5 && a[1] == QLatin1String("png"))
        return png(a[2], a[3], a[4].toInt());
    if (a.size() >= 7 && a[1] == QLatin1String("sheet"))
        return sheet(a[2], a[3].toInt(), a[4].toInt(), a[5], a.mid(6));
    if (a.size() >= 6 && a[1] == QLatin1String("html"))
        return html(a[2], a[3], a[4].toInt(), a[5].toInt());
    std::fprintf(stderr, "usage: svgrender png IN OUT SIZE | sheet OUT CELL COLS BG FILES... | "
                         "html IN OUT W H\n");
    return 2;
}
