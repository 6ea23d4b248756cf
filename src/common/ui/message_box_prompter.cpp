#include "common/ui/message_box_prompter.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "common/ansi_text.h"
#include "common/product_version.h"
#include "xbase/xbase_error.h"

namespace common::ui {
namespace {

QWidget* owner()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QString title() { return QString::fromLatin1(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size())); }

// "\r" in a message is a line break.
QString messageText(const std::string& text) { return fromAnsi(text).replace('\r', '\n'); }

}  // namespace

MessageBoxPrompter::MessageBoxPrompter(std::string programDir) : programDir_(std::move(programDir)) {}

void MessageBoxPrompter::registerWindow(Window window, std::function<bool()> show)
{
    windows_[window] = std::move(show);
}

void MessageBoxPrompter::error(const std::string& text)
{
    QMessageBox::critical(owner(), title(), messageText(text), QMessageBox::Ok);
}

bool MessageBoxPrompter::confirm(const std::string& text, Buttons buttons)
{
    const auto yes = buttons == Buttons::YesNo ? QMessageBox::Yes : QMessageBox::Ok;
    const auto no = buttons == Buttons::YesNo ? QMessageBox::No : QMessageBox::Cancel;
    return QMessageBox::question(owner(), title(), messageText(text), yes | no, no) == yes;
}

void MessageBoxPrompter::info(const std::string& text)
{
    QMessageBox::information(owner(), title(), messageText(text), QMessageBox::Ok);
}

std::optional<std::size_t> MessageBoxPrompter::chooseOne(const std::string& caption, const std::string& prompt,
                                                         const std::vector<std::string>& items)
{
    QStringList list;
    for (const std::string& item : items)
        list << fromAnsi(item);
    bool ok = false;
    const QString chosen = QInputDialog::getItem(owner(), fromAnsi(caption), messageText(prompt), list, 0, false, &ok);
    if (!ok)
        return std::nullopt;
    const auto at = list.indexOf(chosen);
    return at < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(at));
}

std::optional<std::string> MessageBoxPrompter::askText(const std::string& caption, const std::string& prompt,
                                                       const std::string& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), fromAnsi(caption), messageText(prompt), QLineEdit::Normal,
                                               fromAnsi(initial), &ok);
    return ok ? std::optional<std::string>(toAnsi(text)) : std::nullopt;
}

std::optional<std::string> MessageBoxPrompter::chooseFolder(const std::string& caption, const std::string& start)
{
    const QString folder = QFileDialog::getExistingDirectory(owner(), fromAnsi(caption), QString::fromStdString(start));
    QDir::setCurrent(QString::fromStdString(programDir_));
    return folder.isEmpty() ? std::nullopt : std::optional<std::string>(folder.toStdString());
}

std::vector<std::string> MessageBoxPrompter::chooseFiles(const FileChoice& choice)
{
    QStringList filters;
    for (const std::string& filter : choice.filters)
        filters << QString::fromStdString(filter);
    QFileDialog dialog(owner(), fromAnsi(choice.caption), QString::fromStdString(choice.start));
    dialog.setNameFilters(filters);
    dialog.setFileMode(choice.several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    QDir::setCurrent(QString::fromStdString(programDir_));
    std::vector<std::string> files;
    if (chosen)
        for (const QString& file : dialog.selectedFiles())
            files.push_back(file.toStdString());
    return files;
}

bool MessageBoxPrompter::showWindow(Window window)
{
    const auto found = windows_.find(window);
    if (found == windows_.end())
        throw xbase::XbaseError("no window is registered as number " + std::to_string(static_cast<int>(window)));
    return found->second();
}

}  // namespace common::ui
