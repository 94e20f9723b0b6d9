#include "editors/log/CommentsPage.h"

#include "model/Data.h"
#include "reports/RichTextDocument.h"
#include "storage/CommentsFile.h"
#include "storage/Rtf.h"

#include <QColorDialog>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* FormatButton(const QString& caption, const QString& name, const QString& accessible,
                          const QKeySequence& key, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(caption);
    button->setObjectName(name);
    button->setAccessibleName(accessible);
    button->setToolTip(accessible + QStringLiteral(" (") + key.toString(QKeySequence::NativeText)
                       + QLatin1Char(')'));
    button->setShortcut(key);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

TRichFormat FormatOf(const QTextCharFormat& f)
{
    TRichFormat r;
    r.Bold = f.fontWeight() >= QFont::Bold;
    r.Italic = f.fontItalic();
    r.Underline = f.fontUnderline();
    if (f.hasProperty(QTextFormat::FontPointSize))
        r.PointSize = qRound(f.fontPointSize());
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        r.Color = static_cast<int>(f.foreground().color().rgb() & 0xFFFFFF);
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty())
        r.FontName = families.constFirst();
    return r;
}

TRichAlignment RichAlignmentOf(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return TRichAlignment::raCenter;
    if (a & Qt::AlignRight)
        return TRichAlignment::raRight;
    if (a & Qt::AlignJustify)
        return TRichAlignment::raJustify;
    return TRichAlignment::raLeft;
}

} // namespace

TRichText RichTextOf(const QTextDocument& document)
{
    TRichText text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        TRichParagraph paragraph;
        paragraph.Alignment = RichAlignmentOf(block.blockFormat().alignment());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid())
                paragraph.Append(fragment.text(), FormatOf(fragment.charFormat()));
        }
        text.Paragraphs.append(paragraph);
    }
    return text;
}

TfrmComments::TfrmComments(TEditorContext& context, QWidget* parent)
    : TPage(context, ppComments, 100, parent)
{
    txtComments_ = new QTextEdit(this);
    txtComments_->setObjectName(QStringLiteral("txtComments"));
    txtComments_->setAccessibleName(QStringLiteral("Comments"));
    txtComments_->setAcceptRichText(true);
    txtComments_->setTabChangesFocus(true);

    btnBold_ = FormatButton(QStringLiteral("B"), QStringLiteral("btnBold"), QStringLiteral("Bold"),
                            QKeySequence(Qt::CTRL | Qt::Key_B), this);
    QFont bold = btnBold_->font();
    bold.setBold(true);
    btnBold_->setFont(bold);
    btnItalic_ = FormatButton(QStringLiteral("I"), QStringLiteral("btnItalic"), QStringLiteral("Italic"),
                              QKeySequence(Qt::CTRL | Qt::Key_I), this);
    QFont italic = btnItalic_->font();
    italic.setItalic(true);
    btnItalic_->setFont(italic);
    btnUnderline_ = FormatButton(QStringLiteral("U"), QStringLiteral("btnUnderline"),
                                 QStringLiteral("Underline"), QKeySequence(Qt::CTRL | Qt::Key_U), this);
    QFont underline = btnUnderline_->font();
    underline.setUnderline(true);
    btnUnderline_->setFont(underline);

    cboSize_ = new QComboBox(this);
    cboSize_->setObjectName(QStringLiteral("cboFontSize"));
    cboSize_->setAccessibleName(QStringLiteral("Size"));
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 36})
        cboSize_->addItem(QString::number(size), size);
    auto* lblSize = new QLabel(QStringLiteral("&Size:"), this);
    lblSize->setBuddy(cboSize_);

    btnColour_ = new QToolButton(this);
    btnColour_->setText(QStringLiteral("C&olour..."));
    btnColour_->setObjectName(QStringLiteral("btnColour"));
    btnColour_->setAccessibleName(QStringLiteral("Colour..."));
    btnColour_->setFocusPolicy(Qt::TabFocus);

    connect(btnBold_, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
        Apply(f);
    });
    connect(btnItalic_, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontItalic(on);
        Apply(f);
    });
    connect(btnUnderline_, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontUnderline(on);
        Apply(f);
    });
    connect(cboSize_, &QComboBox::activated, this, [this](int index) {
        QTextCharFormat f;
        f.setFontPointSize(cboSize_->itemData(index).toInt());
        Apply(f);
    });
    connect(btnColour_, &QToolButton::clicked, this, &TfrmComments::ChooseColour);
    connect(txtComments_, &QTextEdit::currentCharFormatChanged, this, &TfrmComments::ShowFormat);
    connect(txtComments_, &QTextEdit::textChanged, this, &TfrmComments::Edited);

    auto* tools = new QHBoxLayout;
    tools->addWidget(btnBold_);
    tools->addWidget(btnItalic_);
    tools->addWidget(btnUnderline_);
    tools->addSpacing(12);
    tools->addWidget(lblSize);
    tools->addWidget(cboSize_);
    tools->addWidget(btnColour_);
    tools->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(txtComments_);
    setTabOrder(btnBold_, btnItalic_);
    setTabOrder(btnItalic_, btnUnderline_);
    setTabOrder(btnUnderline_, cboSize_);
    setTabOrder(cboSize_, btnColour_);
    setTabOrder(btnColour_, txtComments_);
    ShowFormat(txtComments_->currentCharFormat());
}

void TfrmComments::Refresh()
{
    if (filled_ && Data().Comments == shown_)
        return;
    loading_ = true;
    shown_ = Data().Comments;
    const QByteArray bytes = shown_.toLatin1();
    FillDocument(*txtComments_->document(),
                 IsRtf(bytes) ? ReadRichText(bytes)
                              : TRichText::FromLines(shown_.split(QLatin1Char('\n'))));
    filled_ = true;
    txtComments_->document()->setModified(false);
    loading_ = false;
}

void TfrmComments::Edited()
{
    if (loading_)
        return;
    // Plain text stays plain; formatted text is kept as the RTF the file will hold.
    shown_ = CommentsFromFile(WriteRtf(RichTextOf(*txtComments_->document())));
    if (Data().Comments == shown_)
        return;
    TDocEdit edit(Data(), dpComments, QStringLiteral("Comments"));
    Data().Comments = shown_;
}

void TfrmComments::Apply(const QTextCharFormat& format)
{
    // The selection takes the format; without one, what is typed next does.
    txtComments_->mergeCurrentCharFormat(format);
    txtComments_->setFocus();
}

void TfrmComments::ShowFormat(const QTextCharFormat& format)
{
    btnBold_->setChecked(format.fontWeight() >= QFont::Bold);
    btnItalic_->setChecked(format.fontItalic());
    btnUnderline_->setChecked(format.fontUnderline());
    const int size = format.hasProperty(QTextFormat::FontPointSize)
        ? qRound(format.fontPointSize())
        : qRound(txtComments_->font().pointSizeF());
    const int index = cboSize_->findData(size);
    if (index >= 0)
        cboSize_->setCurrentIndex(index);
    else
        cboSize_->setEditText(QString::number(size));
}

void TfrmComments::ChooseColour()
{
    const QColor colour = QColorDialog::getColor(txtComments_->textColor(), this);
    if (!colour.isValid())
        return;
    QTextCharFormat f;
    f.setForeground(colour);
    Apply(f);
}
