// "Plik → Eksportuj do KSeF (XML)...": the document in the window as a structured invoice for
// KSeF. The command adds itself to the main window's "Plik" menu.
//
// A document that is no VAT invoice is refused before anything is asked. A correcting
// invoice asks for the corrected invoice's issue date (TfrmKSeF). The XML is built and
// checked against the schema before the save dialog opens, so a document KSeF would refuse
// never costs the user a file name; the file replaces an existing one only when confirmed,
// and never destroys it on a failed write.
#pragma once

namespace bilvox {

class TfrmMain;

void ExportToKsef(TfrmMain& window);

}  // namespace bilvox
