// The captions of the program's message boxes, one constant each: the batch, the previews and
// the windows show their messages under these.
#pragma once

inline constexpr char NoticeCaption[] = "提示";        // refusals, errors and notices
inline constexpr char QuestionCaption[] = "询问";      // yes/no questions
inline constexpr char CompletionCaption[] = "完成";    // the completion question
inline constexpr char AboutCaption[] = "关于";         // the About box
inline constexpr char StartupErrorCaption[] = "错误";  // the library's registry key at start-up
inline constexpr char PictureErrorCaption[] = "Error"; // a picture that cannot be decoded
