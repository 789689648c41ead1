// DailyReport: makes one numbered report a day, without any incoming job. The number of the
// last report is kept in the flow's global data "Reports"/"LastNumber", so that the numbers go
// on where they stopped; the report is sent along the element's only outgoing connection.

// Is invoked at regular intervals regardless of whether a new job arrived or not.
// The interval can be modified with s.setTimerInterval().
function timerFired( s : Tavrix )
{
    var last : Number = Number( s.getGlobalData( "Reports", "LastNumber" ) );
    if ( isNaN( last ) )
    {
        s.log( 3, "The global data Reports/LastNumber is no number: '%1'",
               [ s.getGlobalData( "Reports", "LastNumber" ) ] );
        return;
    }
    var number : Number = last + 1;
    var report = s.createNewJob( "report-" + number + ".txt" );
    File.write( report.getPath(), "Report " + number + " of the flow " + s.getFlowName() + "\n" );
    report.sendToSingle();
    s.setGlobalData( "Reports", "LastNumber", String( number ) );
    s.log( 1, "Report %1 sent", [ number ] );
    if ( s.getTimerInterval() != 86400 )
    {
        s.setTimerInterval( 86400 );
    }
}
