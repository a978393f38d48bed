// VideoPlayer: volume, rate, average frame rate and the three decoders' settings.
#include "diag/text.h"
#include "player/indeo_requests.h"
#include "standin/faults.h"
#include "unit/player_fixture.h"

TEST_F(PlayerTest, VolumePercentagesBecomeHundredthsOfADecibel) {
    OpenQuietly(Avi(Clip(10, "", true)));
    struct Case {
        LONG percent;
        HRESULT result;
        long volume;
    } cases[] = {{100, 0, 0}, {50, 0, -5000}, {0, 0, -10000}, {150, E_INVALIDARG, -10000}};
    for (const Case& c : cases) {
        EXPECT_EQ(player->SetVolume(c.percent), c.result) << c.percent;
        EXPECT_EQ(player->GetVolume(), c.volume) << c.percent;
    }
    EXPECT_EQ(LogLines(),
              std::vector<std::string>{"FAILED(hr=0x80070057) in pBA->put_Volume(lVolume)\n"});
}

TEST_F(PlayerTest, VolumeWithoutUsableAudio) {
    EXPECT_EQ(player->SetVolume(50), -1); // no graph
    EXPECT_EQ(player->GetVolume(), -1);

    OpenQuietly(Avi(Clip(10))); // silent clip
    EXPECT_EQ(player->SetVolume(50), -1);
    EXPECT_EQ(player->GetVolume(), -1);
    EXPECT_TRUE(LogLines().empty());

    OpenQuietly(Avi(Clip(10, "", true)));
    standin::InjectFault("QueryInterface:IBasicAudio", E_NOINTERFACE);
    EXPECT_EQ(player->SetVolume(50), E_NOINTERFACE);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"FAILED(hr=0x80004002) in "
                                                   "pGB->QueryInterface(IID_IBasicAudio, (void "
                                                   "**)&pBA)\n"});
}

TEST_F(PlayerTest, RateKeepsTheLastValueTheGraphAccepted) {
    EXPECT_EQ(player->SetRate(2.0), 0); // no graph
    OpenQuietly(Avi(Clip(10)));
    EXPECT_EQ(player->SetRate(0.0), 0);
    EXPECT_EQ(player->Rate, 1.0);
    EXPECT_EQ(player->SetRate(2.0), S_OK);
    EXPECT_EQ(player->Rate, 2.0);
    EXPECT_EQ(standin::LastGraph().Rate(), 2.0);
    EXPECT_EQ(player->SetRate(8.0), E_INVALIDARG);
    EXPECT_EQ(player->Rate, 2.0);

    standin::InjectFault("get_Rate", E_FAIL);
    EXPECT_EQ(player->SetRate(1.5), E_FAIL);
    EXPECT_EQ(standin::LastGraph().Rate(), 2.0);
}

TEST_F(PlayerTest, AverageFrameRateComesFromTheRenderer) {
    EXPECT_EQ(player->GetAverageFrameRate(), -1);
    OpenQuietly(Avi(Clip(10)));
    player->Play();
    EXPECT_EQ(player->GetAverageFrameRate(), 2500);
    long references = standin::OutstandingReferences();
    EXPECT_EQ(player->GetAverageFrameRate(), 2500);
    EXPECT_EQ(standin::OutstandingReferences(), references);
    OpenQuietly(Wav());
    EXPECT_EQ(player->GetAverageFrameRate(), -1);
}

TEST_F(PlayerTest, IndeoPictureSettingsTravelInTheFrameRequest) {
    OpenQuietly(Avi(Clip(10, "IV50")));
    player->IndeoContrast = 200 - 128;
    player->IndeoBrightness = -10;
    player->IndeoSaturation = 5;
    player->ApplyIndeoPictureSettings();
    standin::DecoderView decoder = standin::LastDecoder();
    EXPECT_EQ(decoder.indeoContrast, 72);
    EXPECT_EQ(decoder.indeoBrightness, -10);
    EXPECT_EQ(decoder.indeoSaturation, 5);
    EXPECT_EQ(IndeoFrameRequest.requestKind, 2u);
    EXPECT_EQ(IndeoFrameRequest.fieldMask, 0x800000E0u);

    player->IndeoContrast = player->IndeoBrightness = player->IndeoSaturation = 0;
    player->ReadIndeoPictureSettings();
    EXPECT_EQ(player->IndeoContrast + 128, 200);
    EXPECT_EQ(player->IndeoBrightness, -10);
    EXPECT_EQ(player->IndeoSaturation, 5);

    standin::InjectFault("Indeo5::ReadFrame", E_FAIL);
    player->IndeoContrast = 1;
    player->ReadIndeoPictureSettings();
    EXPECT_EQ(player->IndeoContrast, 1);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"Indeo, Can't get Frame data"});
}

TEST_F(PlayerTest, TransparencyFillStopsTheGraphAndRestoresItsRunState) {
    struct Case {
        int runState;
        int pauses, stops, runs; // calls made by the fill change
    } cases[] = {{0, 0, 0, 0}, {1, 2, 1, 0}, {2, 1, 1, 1}};
    OpenQuietly(Avi(Clip(10, "IV50")));
    for (const Case& c : cases) {
        if (c.runState == 2)
            player->Play();
        else if (c.runState == 1)
            player->Pause();
        else
            player->PlayState = PlayStopped;
        int pauses = standin::CallCount("Pause"), stops = standin::CallCount("Stop"),
            runs = standin::CallCount("Run");
        player->SetIndeoTransFill(0x00FF00FF);
        EXPECT_EQ(standin::CallCount("Pause") - pauses, c.pauses) << c.runState;
        EXPECT_EQ(standin::CallCount("Stop") - stops, c.stops) << c.runState;
        EXPECT_EQ(standin::CallCount("Run") - runs, c.runs) << c.runState;
        EXPECT_EQ(player->PlayState, c.runState);
        EXPECT_EQ(standin::LastDecoder().indeoTransFill, 0x00FF00FF);
        EXPECT_EQ(IndeoFrameRequest.fieldMask, 0x80000200u);
    }
    // A failing write is logged and the graph is still run again.
    standin::InjectFault("Indeo5::WriteFrame", E_FAIL);
    int runs = standin::CallCount("Run");
    player->SetIndeoTransFill(1);
    EXPECT_EQ(standin::CallCount("Run"), runs + 1);
    EXPECT_TRUE(Contains(LogLines(), "Indeo, Can't get Frame data"));
}

TEST_F(PlayerTest, IndeoAccessKeyAndAltLineRoundTripThroughTheSequenceRequest) {
    OpenQuietly(Avi(Clip(10, "IV50")));
    player->AltLine = 1;
    player->IndeoAccessKey = 1234;
    player->ApplyIndeoDecodeOptions();
    standin::DecoderView decoder = standin::LastDecoder();
    EXPECT_EQ(decoder.indeoAltLine, 1);
    EXPECT_EQ(decoder.indeoAccessKey, 1234);
    EXPECT_EQ(decoder.indeoKeyInUse, 1);
    EXPECT_EQ(IndeoSequenceRequest.requestKind, 4u);
    EXPECT_EQ(IndeoSequenceRequest.fieldMask, 0x8000000Fu);

    player->AltLine = 0;
    player->IndeoAccessKey = 0;
    player->ReadIndeoDecodeOptions();
    EXPECT_EQ(player->AltLine, 1u);
    EXPECT_EQ(player->IndeoAccessKey, 1234);
    EXPECT_EQ(IndeoSequenceRequest.requestKind, 3u);
}

TEST_F(PlayerTest, IndeoOperationsWithoutTheDecoderDoNothing) {
    OpenQuietly(Avi(Clip(10)));
    int pauses = standin::CallCount("Pause");
    player->IndeoContrast = 3;
    player->SetIndeoTransFill(5);
    player->ApplyIndeoDecodeOptions();
    player->ReadIndeoPictureSettings();
    player->SetIndioPassword();
    player->ReadDivxSettings();
    EXPECT_EQ(standin::CallCount("Pause"), pauses);
    EXPECT_EQ(player->IndeoContrast, 3);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(PlayerTest, IndioPasswordIsSetAndReadBack) {
    TextCopy(player->IndioPassword, 18, L"unchanged");
    player->GetIndioPassword(); // no decoder: the field stays
    EXPECT_EQ(U16(player->IndioPassword), u"unchanged");

    OpenQuietly(Avi(Clip(10, "IV41")));
    player->Play();
    TextCopy(player->IndioPassword, 18, L"open sesame");
    int runs = standin::CallCount("Run");
    player->SetIndioPassword();
    EXPECT_EQ(standin::LastDecoder().password, u"open sesame");
    EXPECT_EQ(standin::CallCount("Run"), runs + 1);

    player->IndioPassword[0] = 0;
    player->GetIndioPassword();
    EXPECT_EQ(U16(player->IndioPassword), u"open sesame");

    // A decoder that leaves the buffer alone reads back as the placeholder.
    standin::InjectFault("Indeo4::GetPassword", E_FAIL);
    player->GetIndioPassword();
    EXPECT_EQ(U16(player->IndioPassword), u"KEYNOTSUPPLIED");
}

TEST_F(PlayerTest, DivxSettingsAreSentAndReadInTheDecodersUnits) {
    OpenQuietly(Avi(Clip(10, "DX50")));
    player->DivxContrast = 200 - 128;
    player->DivxBrightness = 10;
    player->DivxSaturation = -20;
    player->ApplyDivxContrast();
    player->ApplyDivxBrightness();
    player->ApplyDivxSaturation();
    standin::DecoderView decoder = standin::LastDecoder();
    EXPECT_EQ(decoder.divxContrast, 72);
    EXPECT_EQ(decoder.divxBrightness, 10);
    EXPECT_EQ(decoder.divxSaturation, -20);

    standin::InjectFault("DivX::GetBrightness", E_FAIL);
    player->ReadDivxSettings();
    EXPECT_EQ(player->DivxContrast, 72);
    EXPECT_EQ(player->DivxBrightness, 50); // not reported
    EXPECT_EQ(player->DivxSaturation, -20);
}
