#include "app/MkAboutDlg.h"

#include "app/AboutLayout.h"
#include "app/SystemInfo.h"
#include "app/VesmarApplication.h"
#include "textobjects/MkText.h"
#include "widgets/DesignFonts.h"
#include "widgets/Latin1.h"
#include "widgets/QtCanvas.h"
#include "widgets/QtSystemColors.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace {

// Line breaks arrive as CR LF or a lone CR; labels break at LF.
QString LabelText(const std::string &text)
{
    QString s = ToQString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

// The title, pressed into the dialog as the engine draws sunken text: a
// light copy one pixel down and right under the letters, which keep the
// dialog's window-text colour.
class TSunkenLabel : public QLabel {
public:
    using QLabel::QLabel;

    QSize sizeHint() const override { return QLabel::sizeHint() + QSize(1, 1); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        TQtCanvas canvas(painter);
        const QColor letters = palette().color(QPalette::WindowText);
        TMkFont base;
        base.Name = ToBytes(font().family());
        base.Size = 22;
        base.Color = MkRGB(static_cast<std::uint8_t>(letters.red()),
                           static_cast<std::uint8_t>(letters.green()),
                           static_cast<std::uint8_t>(letters.blue()));
        TMkText title(ToBytes(text()), nullptr);
        title.EditStyle().FontStyle = MkFontBold;
        title.EditStyle().Style3D = 1; // sunken
        const QRect r = contentsRect();
        const TMkRect area{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
        title.Paint({canvas, area, {0, 0}, base, NoColor, true, false, false});
    }
};

// A blue, underlined label that turns purple once pressed and reports a
// click (press and release inside it).
class TLinkLabel : public QLabel {
public:
    TLinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
    {
        QFont f = font();
        f.setUnderline(true);
        setFont(f);
        SetColor(QColor(0, 0, 0xFF));
        setCursor(Qt::PointingHandCursor);
    }

    std::function<void()> OnClick;

    void SwitchOff()
    {
        setEnabled(false);
        unsetCursor();
        OnClick = nullptr;
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && OnClick)
            SetColor(QColor(0x80, 0, 0x80));
        QLabel::mousePressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            OnClick)
            OnClick();
    }

private:
    void SetColor(const QColor &color)
    {
        QPalette p = palette();
        p.setColor(QPalette::WindowText, color);
        setPalette(p);
    }
};

QLabel *TextLabel(QDialog &dialog, const char *name)
{
    auto *label = new QLabel(&dialog);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The value column has a fixed width: a processor name too long for it
// loses words from its end, while the " or compatible" after it stays.
QString FittingSystemInfo(const QLabel &label, TSystemInfo info)
{
    const QFontMetrics metrics(label.font());
    for (;;) {
        const QString text = LabelText(SystemInfoValue(info));
        const auto space = info.ProcessorName.rfind(' ');
        if (metrics.boundingRect(QRect(), 0, text).width() <= AboutInfoColumnWidth ||
            space == std::string::npos)
            return text;
        info.ProcessorName.erase(space);
    }
}

int HeightFor(QLabel *label, const QString &text)
{
    label->setText(text);
    return text.isEmpty() ? 0 : label->sizeHint().height();
}

void Put(QWidget *widget, const TAboutBox &box)
{
    if (!box.Placed) {
        widget->hide();
        return;
    }
    widget->setGeometry(box.X, box.Y, box.Width, box.Height);
}

} // namespace

TMkAboutDlg::TMkAboutDlg(QWidget *owner)
    : CaptionTitle("     Vesmar"),
      Copyright("by vesmar-dev"),
      Description("..trova la parola segreta!\r\n\r\n"
                  "Grazie agli amici del canale #vesmar su Libera Chat\r\n"
                  "e un grazie speciale a Vesmarina, la prima giocatrice ;-)"),
      EMail("vesmar@example.org"),
      OpenUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); }),
      owner_(owner)
{
}

void TMkAboutDlg::Execute()
{
    QDialog dialog(owner_);
    dialog.setWindowTitle(ToQString(CaptionTitle));
    dialog.setFont(DesignFont("MS Sans Serif", 11));
    dialog.setPalette(DesignPalette());

    // The controls, in the order the dialog creates them.  The dialog has no
    // second button, no version text and no web link, so those controls are
    // not made at all; the web link's share of the gap above the e-mail
    // address stays in the layout.
    auto *icon = new QLabel(&dialog);
    icon->setObjectName(QStringLiteral("Icon"));
    icon->setAccessibleName(QStringLiteral("Icona di Vesmar"));
    const QPixmap pixmap = QApplication::windowIcon().pixmap(32, 32);
    icon->setPixmap(pixmap);
    auto *ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto *separator = new QFrame(&dialog);
    separator->setObjectName(QStringLiteral("Separator"));
    separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    auto *title = new TSunkenLabel(&dialog);
    title->setObjectName(QStringLiteral("Title"));
    title->setFont(DesignFont("Arial", 29, true)); // 22 points
    auto *description = TextLabel(dialog, "Description");
    auto *credit = TextLabel(dialog, "Credit");
    auto *email = new TLinkLabel(QString(), &dialog);
    email->setObjectName(QStringLiteral("EMail"));
    auto *caption = TextLabel(dialog, "Caption");
    auto *value = TextLabel(dialog, "Value");

    const QString titleText =
        ToQString(ApplicationTitle(ToBytes(QCoreApplication::applicationFilePath())));
    title->setText(titleText);

    TAboutMeasures m;
    m.IconWidth = pixmap.isNull() ? 32 : pixmap.width();
    m.IconHeight = pixmap.isNull() ? 32 : pixmap.height();
    m.TitleHeight = title->sizeHint().height();
    m.Description = Description;
    m.DescriptionHeight = HeightFor(description, LabelText(Description));
    m.Credit = Copyright;
    m.CreditHeight = HeightFor(credit, LabelText(Copyright));
    m.Email = EMail;
    m.EmailHeight = HeightFor(email, LabelText(EMail));
    m.CaptionHeight = HeightFor(caption, LabelText(SystemInfoCaption()));
    m.ValueHeight = HeightFor(value, FittingSystemInfo(*value, ReadSystemInfo()));
    m.OkWidth = 75;
    m.OkHeight = 25;

    const TAboutLayout layout = LayoutAboutBox(m);
    Put(icon, layout.Icon);
    Put(title, layout.Title);
    Put(description, layout.Description);
    Put(credit, layout.Credit);
    Put(email, layout.Email);
    Put(separator, layout.Separator);
    Put(caption, layout.Caption);
    Put(value, layout.Value);
    Put(ok, layout.Ok);
    dialog.setFixedSize(layout.ClientWidth, layout.ClientHeight);

    const QString address = QStringLiteral("mailto:") + ToQString(EMail);
    email->OnClick = [this, email, address] {
        if (!OpenUrl || !OpenUrl(QUrl(address)))
            email->SwitchOff();
    };

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect whole = screen->geometry();
        // QRect::center() rounds towards the top left: half the free room
        // on each side puts the box exactly in the middle.
        dialog.move(whole.left() + (whole.width() - layout.ClientWidth) / 2,
                    whole.top() + (whole.height() - layout.ClientHeight) / 2);
    }
    ok->setFocus();
    if (OnShow)
        OnShow(dialog);
    dialog.exec();
}
