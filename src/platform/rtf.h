#pragma once
// Rich-text files: a QTextDocument written as RTF and RTF read back into a QTextDocument.
//
// The writer keeps the attributes the reports use: font table, colour table, bold, italic,
// underline, strike-out, sizes, colours, tab stops, alignment, indents and paragraphs. Text is
// written in Windows-1252 as \'xx (the euro sign is \'80); a character outside that code page goes
// as \uN with a '?' for older readers. The result is 7-bit ASCII.
//
// The reader takes what the writer writes and ordinary word-processor RTF well enough to show it:
// groups, font and colour tables, character and paragraph attributes, \uN, \'xx, special
// characters, fields (their result), table cells (as tabs) and rows (as paragraphs); pictures,
// headers, footers, style sheets, document information and ignorable destinations are skipped.
// Malformed input never crashes it: unbalanced braces, truncated escapes and absurd numbers are
// taken as far as they make sense.
#include <string>

class QObject;
class QTextDocument;

// Default tab stop of documents, as word processors use it: half an inch.
constexpr int TabuladorTwips = 720;
// Twips per unit of the document layout (1/96 inch).
constexpr double TwipsPorUnidad = 15.0;

// The fixed-pitch font the reports name ("Lucida Console") is drawn with one this system has, on
// screen, in the preview and in print; documents keep its name. Installed by the readers and the
// report builder.
void SustitutosFuentes();

// A copy of the document owned by padre, the formats of its first line included (an empty line's
// size and style: QTextDocument::clone merges that line into the copy's own first line).
QTextDocument *CopiaDocumento(const QTextDocument &doc, QObject *padre = nullptr);

// True when the bytes begin (after blanks) with "{\rtf".
bool EsRTF(const std::string &bytes);

// The whole document as RTF bytes.
std::string EscribeRTF(const QTextDocument &doc);

// Replaces the content of doc with the RTF. False (doc untouched) when the bytes are not RTF.
bool LeeRTF(const std::string &rtf, QTextDocument &doc);

// Replaces the content of doc with plain Windows-1252 text (CR LF, LF or CR end a paragraph).
void LeeTextoPlano(const std::string &texto, QTextDocument &doc);

// Loads a file: RTF when it is RTF, plain text otherwise. On failure error holds a Spanish message.
bool CargaDocumento(const std::string &ruta, QTextDocument &doc, std::string &error);

// Saves the document as RTF (an existing file is replaced atomically). On failure error holds a
// Spanish message.
bool GuardaDocumento(const std::string &ruta, const QTextDocument &doc, std::string &error);
