create procedure [dbo].[proc_DataAnalysis]
    @nAgentID int,
    @nLogInID int,
    @BeginTime datetime,
    @EndTime datetime
as
begin
    declare @answer_ext bigint                 -- 内线呼入应答次数
    declare @answer_trunk bigint               -- 外线呼入应答次数
    declare @call_in_ext bigint                -- 内线呼入次数
    declare @call_in_trunk bigint              -- 外线呼入次数
    declare @call_in_totalTime_ext bigint      -- 内线呼入通话总时长
    declare @call_in_totalTime_trunk bigint    -- 外线呼入通话总时长
    declare @call_out_ext bigint               -- 呼出内线次数
    declare @call_out_trunk bigint             -- 呼出外线次数
    declare @call_out_totalTime_ext bigint     -- 呼出内线通话总时长
    declare @call_out_totalTime_trunk bigint   -- 呼出外线通话总时长
    declare @call_out_success_ext bigint       -- 呼出内线成功次数
    declare @call_out_success_trunk bigint     -- 呼出外线成功次数
    declare @over_work_totalTime bigint        -- 话后处理总时长
    declare @alerting_totalTime bigint         -- 振铃总时长
    declare @transfer_count bigint             -- 转接次数
    declare @be_transfer_count bigint          -- 被转接次数
    declare @conference_count bigint           -- 发起三方会议次数
    declare @be_conference_count bigint        -- 被邀请三方会议次数
    declare @over_alerting_count bigint        -- 振铃超过10秒的次数
    declare @TalkTimesCount bigint             -- 通话总时长

    select @answer_ext = count(1), @call_in_totalTime_ext = isnull(sum(PeriodTalking), 0)
        from dbo.rep_ext_call_in
        where CallType <> 1 and IsAnswer = 1 and CalleeAgentID = @nAgentID
            and TimeHangUp between @BeginTime and @EndTime

    select @answer_trunk = count(1), @call_in_totalTime_trunk = isnull(sum(PeriodTalking), 0)
        from dbo.rep_ext_call_in
        where CallType = 1 and IsAnswer = 1 and CalleeAgentID = @nAgentID
            and TimeHangUp between @BeginTime and @EndTime

    select @call_in_ext = count(1)
        from dbo.rep_ext_call_in
        where CallType <> 1 and CalleeAgentID = @nAgentID
            and TimeHangUp between @BeginTime and @EndTime

    select @call_in_trunk = count(1)
        from dbo.rep_ext_call_in
        where CallType = 1 and CalleeAgentID = @nAgentID
            and TimeHangUp between @BeginTime and @EndTime

    select @call_out_ext = count(1)
        from dbo.rep_ext_call_out
        where PeerLineType = 0 and CallerAgentID = @nAgentID
            and TimeHangUp between @BeginTime and @EndTime

    select @call_out_trunk = count(1)
        from dbo.rep_ext_call_out
        where PeerLineType = 1 and CallerAgentID = @nAgentID
            and TimeHangUp between @BeginTime and @EndTime

    select @call_out_totalTime_ext = isnull(sum(PeriodTalking), 0)
        from dbo.rep_ext_call_out
        where PeerLineType = 0 and CallerAgentID = @nAgentID
            and TimeHangUp between @BeginTime and @EndTime

    select @call_out_totalTime_trunk = isnull(sum(PeriodTalking), 0)
        from dbo.rep_ext_call_out
        where PeerLineType = 1 and CallerAgentID = @nAgentID
            and TimeHangUp between @BeginTime and @EndTime

    select @call_out_success_ext = count(1)
        from dbo.rep_ext_call_out
        where PeerLineType = 0 and IsCallOutSucceed = 1 and CallerAgentID = @nAgentID
            and TimeHangUp between @BeginTime and @EndTime

    select @call_out_success_trunk = count(1)
        from dbo.rep_ext_call_out
        where PeerLineType = 1 and IsCallOutSucceed = 1 and CallerAgentID = @nAgentID
            and TimeHangUp between @BeginTime and @EndTime

    select @over_work_totalTime = isnull(sum(Duration), 0)
        from dbo.rep_agent_state
        where State = 4 and AgentId = @nAgentID and LoginId = @nLogInID

    select @alerting_totalTime = isnull(sum(PeriodAlerting), 0)
        from dbo.rep_ext_call_in
        where CalleeAgentID = @nAgentID
            and TimeHangUp between @BeginTime and @EndTime

    select @transfer_count = Count(1)
        from dbo.rep_transfer
        where CallerAgentID = @nAgentID
            and TimeBeginTransfer between @BeginTime and @EndTime

    select @be_transfer_count = Count(1)
        from dbo.rep_transfer
        where CalleeAgentID = @nAgentID
            and TimeBeginTransfer between @BeginTime and @EndTime

    select @conference_count = Count(1)
        from dbo.rep_conference
        where CallerAgentID = @nAgentID
            and TimeConference between @BeginTime and @EndTime

    select @be_conference_count = Count(1)
        from dbo.rep_conference
        where CalleeAgentID = @nAgentID
            and TimeConference between @BeginTime and @EndTime

    select @over_alerting_count = Count(1)
        from dbo.rep_ext_call_in
        where PeriodAlerting > 10 and CalleeAgentID = @nAgentID
            and TimeAlerting between @BeginTime and @EndTime

    set @TalkTimesCount = @call_in_totalTime_ext + @call_in_totalTime_trunk
        + @call_out_totalTime_ext + @call_out_totalTime_trunk

    update dbo.rep_agent_detail set
        FreeTimes = LoginTimes - @TalkTimesCount - ReposeTimes - @over_work_totalTime,
        TalkTimes = @TalkTimesCount,
        AnswerNumExt = @answer_ext,
        AnswerNumTrunk = @answer_trunk,
        CallInNumExt = @call_in_ext,
        CallInNumTrunk = @call_in_trunk,
        CallInTimesTotalExt = @call_in_totalTime_ext,
        CallInTimesTotalTrunk = @call_in_totalTime_trunk,
        CallOutNumExt = @call_out_ext,
        CallOutNumTrunk = @call_out_trunk,
        CallOutTimesTotalExt = @call_out_totalTime_ext,
        CallOutTimesTotalTrunk = @call_out_totalTime_trunk,
        CallOutOkNumExt = @call_out_success_ext,
        CallOutOkNumTrunk = @call_out_success_trunk,
        OverWorkTimesTotal = @over_work_totalTime,
        TimeAlertingTotal = @alerting_totalTime,
        TransferNum = @transfer_count,
        BeTransferNum = @be_transfer_count,
        ConferenceNum = @conference_count,
        BeConferenceNum = @be_conference_count,
        OverAlertingNum = @over_alerting_count
        where AgentId = @nAgentID and LoginId = @nLogInID

    update dbo.rep_agent_detail set FreeTimes = 0
        where AgentId = @nAgentID and LoginId = @nLogInID and FreeTimes < 0
end
