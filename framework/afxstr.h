// CString and CStringArray: the counted, NUL-terminated byte strings that
// dialogs, documents and tools pass around. Plain C++ over the C runtime, so
// engine code can use it without pulling in windows.
#ifndef TAMREL_AFXSTR_H
#define TAMREL_AFXSTR_H

#include <cstddef>
#include <vector>

class CString {
public:
    CString();
    CString(const CString& other);
    CString(const char* text);
    CString(const char* text, int length);
    CString(char ch, int repeat = 1);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(const char* text);
    CString& operator=(char ch);

    int GetLength() const { return m_length; }
    bool IsEmpty() const { return m_length == 0; }
    void Empty();

    char GetAt(int index) const { return m_data[index]; }
    char operator[](int index) const { return m_data[index]; }
    void SetAt(int index, char ch);
    operator const char*() const { return m_data; }
    const char* c_str() const { return m_data; }

    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);
    void Append(const char* text, int length);
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend CString operator+(const CString& a, char b);

    int Compare(const char* text) const;         // strcmp
    int CompareNoCase(const char* text) const;   // case-insensitive, ASCII
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
    friend bool operator!=(const CString& a, const char* b) { return a.Compare(b) != 0; }
    friend bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
    friend bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    int Find(char ch) const;
    int Find(char ch, int start) const;
    int Find(const char* sub) const;
    int Find(const char* sub, int start) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* set) const;

    void MakeLower();   // tolower on every byte, as the C runtime sees it
    void MakeUpper();
    void TrimLeft();   // blanks, tabs and line ends
    void TrimRight();
    int Replace(char from, char to);
    int Replace(const char* from, const char* to);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);

    void Format(const char* format, ...);

    // Direct access for C APIs: GetBuffer(n) gives room for n characters and
    // the NUL; ReleaseBuffer(-1) takes the length from the NUL.
    char* GetBuffer(int minLength);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

private:
    void Assign(const char* text, int length);
    void Reserve(int capacity);

    char* m_data;
    int m_length;
    int m_capacity;   // characters that fit, NUL not counted; 0 = shared empty
};

class CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetUpperBound() const { return GetSize() - 1; }
    void SetSize(int size) { m_items.resize(static_cast<size_t>(size)); }
    const CString& GetAt(int index) const { return m_items[static_cast<size_t>(index)]; }
    CString& ElementAt(int index) { return m_items[static_cast<size_t>(index)]; }
    void SetAt(int index, const char* text) { m_items[static_cast<size_t>(index)] = text; }
    CString& operator[](int index) { return m_items[static_cast<size_t>(index)]; }
    const CString& operator[](int index) const { return m_items[static_cast<size_t>(index)]; }
    int Add(const CString& text)
    {
        m_items.push_back(text);
        return GetSize() - 1;
    }
    void InsertAt(int index, const CString& text) { m_items.insert(m_items.begin() + index, text); }
    void RemoveAt(int index, int count = 1) { m_items.erase(m_items.begin() + index, m_items.begin() + index + count); }
    void RemoveAll() { m_items.clear(); }

private:
    std::vector<CString> m_items;
};

#endif
