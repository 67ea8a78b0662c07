#include "kit/DataScreen.h"

#include "core/TypedKeys.h"
#include "kit/TabOrder.h"
#include "kit/Twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>

namespace {
// Set while a rewritten key is on its way to its control, so that it is not
// looked at a second time.
bool forwardingRewrittenKey = false;
}  // namespace

DataScreen::DataScreen(const QString& name, const QString& caption, int widthTwips,
                       int heightTwips, QWidget* parent)
    : QWidget(parent), m_widthTwips(widthTwips), m_heightTwips(heightTwips)
{
    setObjectName(name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    // The screen must see keys before its controls; a widget filter would only
    // see what the focused control ignores, so watch the whole application.
    qApp->installEventFilter(this);
}

DataScreen::~DataScreen()
{
    qApp->removeEventFilter(this);
}

QSize DataScreen::sizeHint() const
{
    return twips::toPixels(m_widthTwips, m_heightTwips, this);
}

void DataScreen::closeScreen()
{
    if (auto* subWindow = qobject_cast<QMdiSubWindow*>(parentWidget()))
        subWindow->close();
    else
        close();
}

void DataScreen::showEvent(QShowEvent* event)
{
    // Every screen is built by then, its hidden parts included.
    if (!m_tabOrderSet) {
        taborder::chainInReadingOrder(this);
        m_tabOrderSet = true;
    }
    QWidget::showEvent(event);
}

QLabel* DataScreen::addTitleBand(const QString& title, int widthTwips)
{
    auto* band = new QLabel(title, this);
    band->setObjectName(QStringLiteral("Label1"));
    band->setAlignment(Qt::AlignCenter);
    band->setAutoFillBackground(true);
    QPalette colours = band->palette();
    colours.setColor(QPalette::Window, QColor(0, 0, 128));
    colours.setColor(QPalette::WindowText, Qt::white);
    band->setPalette(colours);
    QFont font = band->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    band->setFont(font);
    twips::place(band, 0, 0, widthTwips, 315);
    return band;
}

bool DataScreen::isOwnWidget(QObject* object) const
{
    // A key also reaches the QWindow first; only widget receivers count.
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && (widget == this || isAncestorOf(widget));
}

bool DataScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || forwardingRewrittenKey || !isOwnWidget(watched))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);

    if (m_rules.closeOnEsc && key->key() == Qt::Key_Escape) {
        closeScreen();
        return true;
    }
    if (m_rules.onEnter && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        m_rules.onEnter();
        return true;
    }
    const QString text = key->text();
    if (!typedkeys::isTypedCharacter(text))
        return false;
    if (m_rules.dropApostrophe && text == QLatin1String("'"))
        return true;
    const QString capital = typedkeys::capitalOf(text);
    if (!m_rules.upperCase || capital == text)
        return false;
    QKeyEvent rewritten(key->type(), key->key(), key->modifiers(), capital, key->isAutoRepeat(), key->count());
    forwardingRewrittenKey = true;
    QCoreApplication::sendEvent(watched, &rewritten);
    forwardingRewrittenKey = false;
    return true;
}
