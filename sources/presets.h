#pragma once
// Turning a preset file's bytes into the editor's text.

#include <QByteArray>
#include <QString>

#include <optional>

namespace ramulo {

// Files as people have them: UTF-16 with its BOM; UTF-8, with or without a
// BOM, when the bytes are valid UTF-8; Windows-1252 otherwise. CR LF, a lone
// LF and a lone CR each end a line. The lines are joined by CR LF, a break
// being added only once the text holds something: empty lines before the
// first non-empty one are dropped, and the file's final line break is not
// kept. Nothing for bytes that are not text (a NUL outside UTF-16) or for
// UTF-16 cut short (an odd byte, or a high surrogate last); then *refusal,
// when given, says why.
std::optional<QString> presetText(const QByteArray& bytes, QString* refusal = nullptr);

// The refusal presetText gives a file whose first bytes already show that it
// is not text, so that the rest need not be read; nothing when they do not.
std::optional<QString> notText(const QByteArray& head);

} // namespace ramulo
