#pragma once
// The thread's message queue while a long piece of work keeps the thread
// from its message loop.
namespace sorabako {

// Answers the messages other threads have sent to this thread's windows: the
// progress dialog's thread waits on some of them, another program may ask
// the window to close, the system asks whether the session may end.
void AnswerSentMessages();

// Throws away the keyboard and mouse input queued for this thread's windows,
// posted or from the devices, without answering sent messages: input the
// user gave a blocked window is not carried out later, and the input queue
// it shares with the progress dialog keeps moving. Other posted messages
// stay queued.
void DiscardQueuedInput();

}  // namespace sorabako
