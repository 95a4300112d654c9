#pragma once

// The tokenizer of the hash file format. A file is a sequence of tokens:
// strings in double quotes (no escapes: the first quote ends them), numbers
// (a "-" or digit, then digits and "."), literals between "#" (TRUE, FALSE,
// NULL or a date-time), the section braces "{" and "}", and comments from "'"
// to the end of the line. Every other byte separates tokens.
//
// Files are read in pieces, so a file of any size costs a bounded amount of
// memory; a token longer than any real file holds fails the read instead of
// growing without limit.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/HashValue.h"

class HashFileReader {
 public:
  // Longest token accepted: strings, and numbers or literals. The number limit
  // is above the longest decimal form of any double (about 330 characters).
  static constexpr size_t kMaxTextBytes = 16 * 1024 * 1024;
  static constexpr size_t kMaxNumberBytes = 512;
  static constexpr size_t kMaxLiteralBytes = 256;

  enum class ReadResult {
    Token,      // A token was read into the value.
    EndOfFile,  // The end came before any token began.
    Failure,    // The token did not convert or the file could not be read; see Failure().
  };

  struct OpenResult {
    std::unique_ptr<HashFileReader> reader;  // Null when the file could not be opened.
    bool missing = false;                    // The file does not exist.
    std::string error;                       // Why it could not be opened, when not missing.
  };

  // Reads tokens from text held in memory; the text must outlive the reader.
  explicit HashFileReader(std::string_view text);
  ~HashFileReader();
  HashFileReader(const HashFileReader&) = delete;
  HashFileReader& operator=(const HashFileReader&) = delete;

  // Opens a file to be read in pieces.
  static OpenResult OpenFile(const std::string& path);

  // Reads the next token. On Token the value is text ("True" and "False" for
  // the literals TRUE and FALSE, numbers in their plain decimal form, dates as
  // "yyyy-mm-dd hh:mm:ss") or null for #NULL#. A token cut off by the end of
  // the file gives the text gathered so far, unconverted, except a number,
  // which is complete when the file ends after it.
  ReadResult MyInput(HashValue& value);

  // What went wrong after a Failure, naming the line.
  const std::string& Failure() const { return mFailure; }

  // The line (from 1) that reading has reached.
  int64_t Line() const { return mLine; }

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  explicit HashFileReader(std::unique_ptr<std::FILE, FileCloser> file);

  // Makes at least one unread byte available; false at the end of the input.
  bool Fill();
  bool Peek(unsigned char& byte);
  bool Next(unsigned char& byte);

  ReadResult ReadString(HashValue& value);
  ReadResult ReadNumber(unsigned char first, HashValue& value);
  ReadResult ReadLiteral(HashValue& value);
  void SkipComment();
  ReadResult Fail(const std::string& description);
  ReadResult EndInsideToken();

  std::unique_ptr<std::FILE, FileCloser> mFile;
  std::vector<char> mBuffer;
  const char* mData = nullptr;
  size_t mSize = 0;
  size_t mPosition = 0;
  bool mReadFailed = false;
  int mReadErrno = 0;
  int64_t mLine = 1;
  std::string mFailure;
};
