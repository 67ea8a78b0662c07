#pragma once

#include <QString>
#include <functional>

class QWidget;

// Looking back at a closed year: the run reads an archive that
// "billdb close-year" wrote, instead of the data source. The login checks
// the archive's users, and the four query screens, their prints, Show
// Total and Print Total read its documents; nothing can be written into it,
// and the shop's own database is not opened at all.
namespace shell {

// Makes the run read the archive (the start option --archive FILE). Shows
// why and returns false when FILE is no database of this program.
bool openArchive(const QString& path);

// A window's caption, with the archive's name when the run reads one:
// "Bill Software - closed year /home/shop/2025-26.db (read only)".
QString captionOf(const QString& caption);
// "Closed year /home/shop/2025-26.db (read only)" while the run reads an
// archive; empty otherwise.
QString archiveNote();

// True for the menu entries the run offers: every one; while it reads an
// archive, the query screens and Close only.
bool menuOffers(const QString& entryName);

// "Open Closed Year...": the operator picks an archive, which opens in a
// program window of its own; this one stays on the shop's database.
void openClosedYear(QWidget* parent);

// Replaces how that window is started (tests); an empty function restores it.
void setArchiveStart(std::function<void(const QString& path)> start);

}  // namespace shell
