#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include <QObject>

#include "catalogue/catalogue.h"
#include "common/program_state.h"
#include "common/prompter.h"
#include "lookup/mail_send_runner.h"

namespace lookup {

// Gives the current album back to the online database: its xmcd entry in
// a plain-text mail through the user's mail server (`Server`, `Mail` of
// the settings file) to the database's submission address (`Submit`).
// The album's revision advances only once the server has accepted the
// message. The send runs off this object's thread; the user is told the
// outcome through the prompter.
class FreedbSubmission : public QObject {
    Q_OBJECT
public:
    inline static const std::string kMissingSettings = "Confirm e-mail and mail server address";
    inline static const std::string kStillMissing =
        "E-mail or mail server address STILL invalid.\rPlease refer to help file.";
    inline static const std::string kThanks = "Thank you!\rEntry has been submitted to on-line database";
    // Where submissions go unless `Submit` (section Current) names another
    // address.
    inline static const std::string kDefaultSubmitAddress = "submit@gnudb.org";

    // Everything handed in must outlive this object.
    FreedbSubmission(catalogue::Catalogue& catalogue, const common::ProgramState& state, common::Prompter& prompter,
                     platform::MailSender& sender, QObject* parent = nullptr);

    // The waits of the send (connect 20 s and each read 60 s unless set).
    void setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds read);

    // Reads the mail settings from the settings file; when one is empty
    // (or `Server` is no host nor host:port), says so, shows the options
    // window and reads them again, and stops with a second message when
    // they are still unusable. Otherwise builds the message and starts
    // sending it; finished() follows. False when nothing was started
    // (also while a send runs).
    // Requires: the album is the current row of catalogue.albums(),
    // state.lookup.currentAlbumId is its ID and state.lookup.currentToc
    // the TOC of its disc. Throws xbase::XbaseError when the catalogue
    // or the settings file cannot be read.
    bool start();
    bool busy() const { return runner_.busy(); }

public slots:
    // Stops a send under way; the album's revision stays.
    void cancel() { runner_.cancel(); }

signals:
    void statusChanged(const std::string& text);
    // After the user was told the outcome; true when the server accepted
    // the message.
    void finished(bool submitted);

private:
    void sendFinished(const MailSendOutcome& outcome);
    // Stores the revision sent into the album's Rev.
    void advanceRevision();

    catalogue::Catalogue& catalogue_;
    const common::ProgramState& state_;
    common::Prompter& prompter_;
    MailSendRunner runner_;
    // The album being sent: its ALBUMS record, ID and the revision sent.
    std::uint32_t recno_ = 0;
    std::string albumId_;
    int revision_ = 0;
};

}  // namespace lookup
